#include "calc/Sweep.h"

#include "calc/Compute.h"
#include "calc/Format.h"
#include "calc/InputLimits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace eee {

namespace {

std::optional<double> ReadNumber(std::string_view text)
{
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool IsWhole(double value)
{
    return value == std::floor(value);
}

bool IsIntegerParameter(SweepParameter p)
{
    return p != SweepParameter::LifeTime && p != SweepParameter::BlockSize;
}

// A whole number in full, any other in the shortest text that reads back as the value.
std::string NumberText(double value)
{
    if (IsWhole(value) && std::abs(value) < 1e15)
        return std::to_string(static_cast<int64_t>(value));
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end.ptr);
}

bool SameBlockText(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x))
            == std::tolower(static_cast<unsigned char>(y));
    });
}

// The lifetime a session holding `years` calculates with, or the message refusing it: the
// session keeps it in single precision, the form writes it with six decimals, reads that
// text against its range and calculates with what its field then shows.
std::optional<float> SessionLifeTime(double years, std::string& error)
{
    // Beyond single precision's range a value cannot even be stored; it is out of range.
    if (!(std::abs(years) < 1e30)) {
        error = kMsgSessionLifeTime;
        return std::nullopt;
    }
    const auto stored = static_cast<float>(years);
    if (!(stored >= kSessionLifeTimeMin && stored <= kSessionLifeTimeMax)) {
        error = kMsgSessionLifeTime;
        return std::nullopt;
    }
    const std::string text = Format("%f", static_cast<double>(stored));
    const auto read = static_cast<float>(ReadNumber(text).value_or(0.0));
    if (!(read >= kLifeTimeMin && read <= kLifeTimeMax)) {
        error = NumberRangeMessage(kLifeTimeMin, kLifeTimeMax);
        return std::nullopt;
    }
    return static_cast<float>(
        ReadNumber(FormatG(static_cast<double>(read), 6)).value_or(static_cast<double>(read)));
}

bool InRange(double value, int64_t low, int64_t high, std::string& error)
{
    if (value >= static_cast<double>(low) && value <= static_cast<double>(high))
        return true;
    error = IntegerRangeMessage(low, high);
    return false;
}

} // namespace

std::string SweepRequest::Name() const
{
    switch (Parameter) {
    case SweepParameter::LifeTime:
        return "lifetime";
    case SweepParameter::BlockSize:
        return "blocksize";
    case SweepParameter::Blocks:
        return "blocks";
    case SweepParameter::Updates:
        return "updates:" + std::to_string(DataType);
    case SweepParameter::Records:
        return "records:" + std::to_string(DataType);
    case SweepParameter::DataSize:
        break;
    }
    return "size:" + std::to_string(DataType);
}

std::optional<SweepRequest> ParseSweep(std::string_view text, std::string& error)
{
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        error = "--vary takes PARAM=FROM:TO[:STEP], for example lifetime=5:40:5";
        return std::nullopt;
    }
    const std::string_view name = text.substr(0, equals);
    const std::string_view range = text.substr(equals + 1);

    SweepRequest request;
    const size_t colon = name.find(':');
    const std::string_view base = name.substr(0, colon);
    if (base == "lifetime" || base == "blocksize" || base == "blocks") {
        request.Parameter = base == "lifetime" ? SweepParameter::LifeTime
            : base == "blocks"                 ? SweepParameter::Blocks
                                               : SweepParameter::BlockSize;
        if (colon != std::string_view::npos) {
            error = "the parameter " + std::string(base) + " takes no data type";
            return std::nullopt;
        }
    } else if (base == "updates" || base == "records" || base == "size") {
        request.Parameter = base == "updates" ? SweepParameter::Updates
            : base == "records"               ? SweepParameter::Records
                                              : SweepParameter::DataSize;
        const std::optional<double> type
            = colon == std::string_view::npos ? std::nullopt : ReadNumber(name.substr(colon + 1));
        if (!type || !IsWhole(*type) || *type < 1 || *type > kMaxDataTypes) {
            error = "the parameter " + std::string(base)
                + " needs the number of its data type, 1 to 6 (for example " + std::string(base)
                + ":1)";
            return std::nullopt;
        }
        request.DataType = static_cast<int>(*type);
    } else {
        error = "unknown parameter '" + std::string(name)
            + "'; one of lifetime, blocksize, blocks, updates:N, records:N, size:N";
        return std::nullopt;
    }

    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t end = range.find(':', start);
        parts.push_back(range.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (parts.size() < 2 || parts.size() > 3) {
        error = "the range of " + request.Name() + " must read FROM:TO or FROM:TO:STEP";
        return std::nullopt;
    }
    request.FromText = std::string(parts[0]);
    request.ToText = std::string(parts[1]);
    if (parts.size() == 3) {
        std::string_view step = parts[2];
        request.Multiply = step.starts_with('*');
        if (request.Multiply)
            step.remove_prefix(1);
        const std::optional<double> value = ReadNumber(step);
        if (!value || (request.Multiply ? *value <= 1.0 : *value <= 0.0)) {
            error = "the step '" + std::string(parts[2])
                + "' must be a number above 0, or * and a number above 1";
            return std::nullopt;
        }
        request.Step = *value;
    }
    if (request.Parameter == SweepParameter::BlockSize) {
        if (request.Multiply || !IsWhole(request.Step)) {
            error = "the step of blocksize counts block sizes: a whole number";
            return std::nullopt;
        }
        return request;
    }
    const std::optional<double> from = ReadNumber(parts[0]);
    const std::optional<double> to = ReadNumber(parts[1]);
    if (!from || !to) {
        error = "the range of " + request.Name()
            + " must be numbers: " + std::string(range.substr(0, range.size()));
        return std::nullopt;
    }
    request.From = *from;
    request.To = *to;
    if (IsIntegerParameter(request.Parameter)
        && (!IsWhole(request.From) || !IsWhole(request.To) || !IsWhole(request.Step))) {
        error = "the values of " + request.Name() + " are whole numbers";
        return std::nullopt;
    }
    return request;
}

std::optional<std::vector<SweepValue>> SweepValues(const SweepRequest& request,
    const EvalConfig& base, const std::vector<CatalogueBlock>& schemeBlocks, std::string& error)
{
    std::vector<SweepValue> values;
    if (request.DataType > base.DataTypeCount) {
        error = Format("data type %d does not exist: the session has %d", request.DataType,
            base.DataTypeCount);
        return std::nullopt;
    }
    if (request.Parameter == SweepParameter::BlockSize) {
        const auto find = [&](const std::string& text) {
            const auto found = std::find_if(schemeBlocks.begin(), schemeBlocks.end(),
                [&](const CatalogueBlock& b) { return SameBlockText(b.Text, text); });
            return found == schemeBlocks.end() ? -1
                                               : static_cast<int>(found - schemeBlocks.begin());
        };
        const int from = find(request.FromText);
        const int to = find(request.ToText);
        if (from < 0 || to < 0) {
            std::string offered;
            for (const CatalogueBlock& block : schemeBlocks)
                offered += (offered.empty() ? "" : ", ") + block.Text;
            error = "the scheme's block sizes are " + offered + "; "
                + (from < 0 ? request.FromText : request.ToText) + " is not one of them";
            return std::nullopt;
        }
        const int step = static_cast<int>(request.Step);
        for (int i = from; i <= to; i += step) {
            const CatalogueBlock& block = schemeBlocks[static_cast<size_t>(i)];
            values.push_back(SweepValue {static_cast<double>(i), block.Text, block.Bytes});
        }
    } else if (request.Multiply && !(request.From > 0.0)) {
        error = "a step that multiplies needs a start above 0";
        return std::nullopt;
    } else {
        // An added step forms each value from FROM afresh (FROM + k x STEP), so that no
        // rounding piles up along a long sweep.
        const double limit = request.To + std::abs(request.To) * 1e-12;
        double value = request.From;
        for (int k = 0; value <= limit; ++k) {
            if (values.size() >= static_cast<size_t>(kMaxSweepPoints)) {
                error = Format("the sweep has more than %d points", kMaxSweepPoints);
                return std::nullopt;
            }
            values.push_back(SweepValue {value, NumberText(value), 0});
            const double next
                = request.Multiply ? value * request.Step : request.From + (k + 1) * request.Step;
            if (next == value) {
                error = "the step " + NumberText(request.Step) + " is too small to change "
                    + NumberText(value);
                return std::nullopt;
            }
            value = next;
        }
    }
    if (values.empty()) {
        error = "no value lies between " + request.FromText + " and " + request.ToText;
        return std::nullopt;
    }
    if (values.size() > static_cast<size_t>(kMaxSweepPoints)) {
        error = Format("the sweep has more than %d points", kMaxSweepPoints);
        return std::nullopt;
    }
    return values;
}

std::optional<EvalConfig> ConfigWithValue(const SweepRequest& request, const EvalConfig& base,
    const SweepValue& value, std::string& error)
{
    EvalConfig config = base;
    DataTypeInput* type = request.DataType >= 1 && request.DataType <= kMaxDataTypes
        ? &config.DataTypes[static_cast<size_t>(request.DataType - 1)]
        : nullptr;
    const double v = value.Number;
    switch (request.Parameter) {
    case SweepParameter::LifeTime: {
        const std::optional<float> years = SessionLifeTime(v, error);
        if (!years)
            return std::nullopt;
        config.LifeTime = *years;
        break;
    }
    case SweepParameter::Blocks: {
        if (v < kBlockCountMin || v > kBlockCountMax) {
            error = kMsgSessionBlockCount;
            return std::nullopt;
        }
        const int count = static_cast<int>(v);
        // Added blocks take the size of the last block.
        const int last = std::clamp(base.BlockCount, 1, kMaxBlocks) - 1;
        for (int k = base.BlockCount; k < count; ++k)
            config.BlockBytes[static_cast<size_t>(k)] = base.BlockBytes[static_cast<size_t>(last)];
        config.BlockCount = count;
        break;
    }
    case SweepParameter::BlockSize:
        for (int k = 0; k < std::clamp(config.BlockCount, 0, kMaxBlocks); ++k)
            config.BlockBytes[static_cast<size_t>(k)] = value.BlockBytes;
        break;
    case SweepParameter::Updates:
        if (!type || !InRange(v, kUpdatesMin, kUpdatesMax, error))
            return std::nullopt;
        type->Updates = static_cast<int64_t>(v);
        break;
    case SweepParameter::Records:
        if (!type || !InRange(v, kRecordsMin, kRecordsMax, error))
            return std::nullopt;
        type->Records = static_cast<int32_t>(v);
        break;
    case SweepParameter::DataSize:
        if (!type || !InRange(v, kDataSizeMin, kDataSizeMax, error))
            return std::nullopt;
        type->DataSize = static_cast<int32_t>(v);
        break;
    }
    return config;
}

std::string SweepPointText(const SweepRequest& request, const SweepPoint& p)
{
    const std::string head = request.Name() + " = " + p.Value.Text + ": ";
    if (!p.Ok)
        return head + "refused: " + p.Error;
    return head + FormatG(p.Result.FlashCycles, 15) + " flash cycles, "
        + Format("in spec for %.1f years", static_cast<double>(p.Result.InSpecYears)) + ", "
        + (p.Result.InSpec ? "in spec" : "out of spec") + ", "
        + FlashUsedText(p.Result.FlashUsedBytes);
}

std::vector<SweepPoint> RunSweep(
    const SweepRequest& request, const EvalConfig& base, const std::vector<SweepValue>& values)
{
    std::vector<SweepPoint> points;
    points.reserve(values.size());
    for (const SweepValue& value : values) {
        SweepPoint point;
        point.Value = value;
        std::optional<EvalConfig> config = ConfigWithValue(request, base, value, point.Error);
        if (config) {
            point.Config = *config;
            point.Result = Evaluate(point.Config);
            point.Ok = point.Result.Fits && !point.Result.NegativeRoom;
            if (!point.Ok)
                point.Error = kMsgBlocksTooSmall;
        }
        points.push_back(std::move(point));
    }
    return points;
}

} // namespace eee
