#include "form/FieldRules.h"

#include "calc/Format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace eee {

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Accumulates decimal digits into a magnitude, saturating instead of overflowing.
uint64_t Accumulate(std::string_view digits, uint64_t limit)
{
    uint64_t value = 0;
    for (char c : digits) {
        const auto digit = static_cast<uint64_t>(c - '0');
        if (value > (limit - digit) / 10)
            return limit;
        value = value * 10 + digit;
    }
    return value;
}

int64_t Signed(uint64_t magnitude, bool negative)
{
    if (negative)
        return magnitude >= uint64_t {1} << 63 ? std::numeric_limits<int64_t>::min()
                                               : -static_cast<int64_t>(magnitude);
    return static_cast<int64_t>(magnitude);
}

// Length of the longest decimal number at the start of text:
// digits [. digits] [e [sign] digits], at least one digit in the mantissa.
size_t DecimalNumberLength(std::string_view text)
{
    size_t i = 0;
    size_t mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++mantissaDigits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

double ToDouble(std::string_view number, bool negative)
{
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow and underflow; tell them apart.
        bool nonZero = false;
        for (char c : number) {
            if (c == 'e' || c == 'E')
                break;
            nonZero = nonZero || (c >= '1' && c <= '9');
        }
        const size_t e = number.find_first_of("eE");
        const bool tiny
            = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = (!nonZero || tiny) ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

// Conversion to single precision that stays defined for values beyond its range.
float ToFloat(double value)
{
    if (value > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    if (value < -std::numeric_limits<float>::max())
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// Reads one integer field; on success stores it and checks the range. A
// number beyond what the field's type holds is stored as the nearest number
// it holds, which is beyond the range as well: it never wraps round into it.
// Returns the failure message, if any.
template <typename T>
std::optional<std::string> TakeInteger(
    const std::string& text, T& target, int64_t low, int64_t high)
{
    const std::optional<int64_t> value = ParseIntegerField(text);
    if (!value)
        return std::string(kMsgInteger);
    target = static_cast<T>(
        std::clamp<int64_t>(*value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    if (*value < low || *value > high)
        return IntegerRangeMessage(low, high);
    return std::nullopt;
}

std::optional<std::string> TakeNumber(const std::string& text, double& target)
{
    const std::optional<double> value = ParseNumberField(text);
    if (!value)
        return std::string(kMsgNumber);
    target = *value;
    return std::nullopt;
}
} // namespace

std::optional<int64_t> ParseIntegerField(std::string_view text)
{
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    for (char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
    }
    const uint64_t limit = negative ? (uint64_t {1} << 63) : (uint64_t {1} << 63) - 1;
    return Signed(Accumulate(text, limit), negative);
}

std::optional<double> ParseNumberField(std::string_view text)
{
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const size_t length = DecimalNumberLength(text);
    if (length == 0 || length != text.size())
        return std::nullopt;
    return ToDouble(text, negative);
}

int32_t LeadingInteger(std::string_view text)
{
    // Saturating at 64 bits first and then at 32 bits gives the 32-bit saturation.
    return static_cast<int32_t>(std::clamp<int64_t>(LeadingInteger64(text),
        std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int64_t LeadingInteger64(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    size_t end = i;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    const uint64_t limit = negative ? uint64_t {1} << 63 : (uint64_t {1} << 63) - 1;
    return Signed(Accumulate(text.substr(i, end - i), limit), negative);
}

double LeadingNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    text.remove_prefix(i);
    const size_t length = DecimalNumberLength(text);
    if (length == 0)
        return 0.0;
    return ToDouble(text.substr(0, length), negative);
}

std::string& FormFields::Text(FieldId id)
{
    return const_cast<std::string&>(static_cast<const FormFields*>(this)->Text(id));
}

const std::string& FormFields::Text(FieldId id) const
{
    const size_t row = static_cast<size_t>(id.Row) % kMaxDataTypes;
    switch (id.Kind) {
    case FieldKind::DataSize:
        return DataSize[row];
    case FieldKind::Updates:
        return Updates[row];
    case FieldKind::Records:
        return Records[row];
    case FieldKind::Overhead:
        return Overhead[row];
    case FieldKind::BlockOverhead:
        return BlockOverhead;
    case FieldKind::TotalUserDataBytes:
        return TotalUserDataBytes;
    case FieldKind::TotalOverhead:
        return TotalOverhead;
    case FieldKind::TotalBytes:
        return TotalBytes;
    case FieldKind::MaxUpdateRequirement:
        return MaxUpdateRequirement;
    case FieldKind::FlashCycles:
        return FlashCycles;
    case FieldKind::LifeTime:
        break;
    }
    return LifeTime;
}

std::optional<FieldFailure> ReadFields(const FormFields& fields, CalcInputs& in, CalcResults& out)
{
    auto fail = [](FieldKind kind, int row, std::string message) {
        return std::optional<FieldFailure>(FieldFailure {FieldId {kind, row}, std::move(message)});
    };
    for (int row = 0; row < kMaxDataTypes; ++row) {
        const auto r = static_cast<size_t>(row);
        if (auto m = TakeInteger(fields.DataSize[r], in.DataSize[r], kDataSizeMin, kDataSizeMax))
            return fail(FieldKind::DataSize, row, *m);
        if (auto m = TakeInteger(fields.Updates[r], in.Updates[r], kUpdatesMin, kUpdatesMax))
            return fail(FieldKind::Updates, row, *m);
        if (auto m = TakeInteger(fields.Records[r], in.Records[r], kRecordsMin, kRecordsMax))
            return fail(FieldKind::Records, row, *m);
        in.Frequency[r] = fields.Frequency[r] != 0 ? 1 : 0;
        if (auto m = TakeInteger(fields.Overhead[r], in.CusOverhead[r], kOverheadMin, kOverheadMax))
            return fail(FieldKind::Overhead, row, *m);
    }
    if (auto m = TakeInteger(fields.BlockOverhead, in.BlockOverhead, kOverheadMin, kOverheadMax))
        return fail(FieldKind::BlockOverhead, 0, *m);

    constexpr int64_t kAny = std::numeric_limits<int64_t>::max();
    if (auto m = TakeInteger(fields.TotalUserDataBytes, out.TotalUserDataBytes, -kAny, kAny))
        return fail(FieldKind::TotalUserDataBytes, 0, *m);
    if (auto m = TakeInteger(fields.TotalOverhead, out.TotalOverhead, -kAny, kAny))
        return fail(FieldKind::TotalOverhead, 0, *m);
    if (auto m = TakeInteger(fields.TotalBytes, out.TotalBytes, -kAny, kAny))
        return fail(FieldKind::TotalBytes, 0, *m);
    if (auto m = TakeNumber(fields.MaxUpdateRequirement, out.MaxUpdateRequirement))
        return fail(FieldKind::MaxUpdateRequirement, 0, *m);
    if (auto m = TakeNumber(fields.FlashCycles, out.FlashCycles))
        return fail(FieldKind::FlashCycles, 0, *m);

    const std::optional<double> lifeTime = ParseNumberField(fields.LifeTime);
    if (!lifeTime)
        return fail(FieldKind::LifeTime, 0, kMsgNumber);
    in.LifeTime = ToFloat(*lifeTime);
    if (!(in.LifeTime >= kLifeTimeMin && in.LifeTime <= kLifeTimeMax))
        return fail(FieldKind::LifeTime, 0, NumberRangeMessage(kLifeTimeMin, kLifeTimeMax));
    return std::nullopt;
}

float ShownLifeTime(float lifeTime)
{
    const std::optional<double> shown = ParseNumberField(FormatG(static_cast<double>(lifeTime), 6));
    return shown ? ToFloat(*shown) : lifeTime;
}

void WriteFields(const CalcInputs& in, const CalcResults& out, FormFields& fields)
{
    // std::to_string writes an integer as printf's "%d" does, only faster.
    for (size_t r = 0; r < kMaxDataTypes; ++r) {
        fields.DataSize[r] = std::to_string(in.DataSize[r]);
        fields.Updates[r] = std::to_string(in.Updates[r]);
        fields.Records[r] = std::to_string(in.Records[r]);
        fields.Frequency[r] = in.Frequency[r] != 0 ? 1 : 0;
        fields.Overhead[r] = std::to_string(in.CusOverhead[r]);
    }
    fields.BlockOverhead = std::to_string(in.BlockOverhead);
    fields.TotalUserDataBytes = std::to_string(out.TotalUserDataBytes);
    fields.TotalOverhead = std::to_string(out.TotalOverhead);
    fields.TotalBytes = std::to_string(out.TotalBytes);
    fields.MaxUpdateRequirement = FormatG(out.MaxUpdateRequirement, 15);
    fields.FlashCycles = FormatG(out.FlashCycles, 15);
    fields.LifeTime = FormatG(static_cast<double>(in.LifeTime), 6);
}

} // namespace eee
