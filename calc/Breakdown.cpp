#include "Breakdown.h"

#include "Format.h"
#include "Schemes.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace eee {

namespace {
// printf's "%.<precision>f" of a finite value, without printf's cost: std::to_chars
// with a precision writes exactly what printf writes in the "C" locale.
std::string Fixed(double value, int precision)
{
    char buffer[400];
    const std::to_chars_result end
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    if (end.ec != std::errc())
        return Format("%.*f", precision, value);
    return std::string(buffer, end.ptr);
}
} // namespace

std::string BreakdownNumber(double value)
{
    if (!std::isfinite(value))
        return Format("%.3f", value);
    // Every double of 2^52 and above is whole, so "%.0f" never hides a fraction there.
    if (value == std::floor(value))
        return Fixed(value, 0);
    std::string text = Fixed(value, 3);
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

std::string PercentText(double percent)
{
    return Format("%.1f", percent);
}

std::array<std::string, kBreakdownColumnCount> BreakdownCells(const DataTypeShare& s)
{
    return {Format("DataType%d", s.DataType), Format("%lld", static_cast<long long>(s.BytesHeld)),
        BreakdownNumber(s.BytesWritten), PercentText(s.WriteSharePercent),
        BreakdownNumber(s.FirstTerm), BreakdownNumber(s.SecondTerm),
        BreakdownNumber(s.Contribution), PercentText(s.CyclesSharePercent)};
}

std::array<double, kBreakdownColumnCount> BreakdownValues(const DataTypeShare& s)
{
    return {static_cast<double>(s.DataType), static_cast<double>(s.BytesHeld), s.BytesWritten,
        s.WriteSharePercent, s.FirstTerm, s.SecondTerm, s.Contribution, s.CyclesSharePercent};
}

std::vector<std::string> TraceLegend()
{
    return {
        "T: bytes of the selected blocks",
        "B: block headers of all selected blocks (blocks x block header)",
        "S_i: bytes held by data type i ((record size + record overhead) x records)",
        "P: B plus the bytes held by all data types",
        "O_i: P less S_i, the room taken by the headers and the other data types",
        "W_i: bytes data type i writes over the lifetime (Total: S_i x updates; Daily: updates "
        "x 365 x lifetime x S_i)",
        "first, second: the sums of ceil(W_i / (T - O_i)) and ceil(W_i / (T - P)); a term "
        "whose room is 0 is left out",
    };
}

namespace {

std::string Num(double value)
{
    return BreakdownNumber(value);
}
std::string Num(int64_t value)
{
    return std::to_string(value);
}
std::string Years(float lifeTime)
{
    return Format("%g", static_cast<double>(lifeTime));
}

// "a + b + c" of the texts.
std::string Joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (size_t k = 0; k < parts.size(); ++k) {
        if (k > 0)
            text += separator;
        text += parts[k];
    }
    return text;
}

std::string Index(const char* name, int i)
{
    return Format("%s_%d", name, i);
}

// The per-type lines of a sum and the line of the sum itself. With one data type its
// term is the sum: the single line carries the sum's name.
class SumLines
{
public:
    SumLines(std::vector<std::string>& trace, const char* name, int count)
        : m_trace(trace)
        , m_name(name)
        , m_count(count)
    { }
    void Term(int i, const std::string& formula, double value)
    {
        const std::string name = m_count == 1 ? m_name : Index(m_name, i);
        m_trace.push_back(name + " = " + formula);
        m_values.push_back(Num(value));
    }
    void Total(double sum) const
    {
        if (m_count > 1)
            m_trace.push_back(
                std::string(m_name) + " = " + Joined(m_values, " + ") + " = " + Num(sum));
    }

private:
    std::vector<std::string>& m_trace;
    const char* m_name;
    int m_count;
    std::vector<std::string> m_values;
};

void TraceFlashCycles(
    const EvalConfig& config, const EvalResult& r, int n, std::vector<std::string>& trace)
{
    const int nb = std::clamp(config.BlockCount, 0, kMaxBlocks);
    std::vector<std::string> blocks;
    for (int k = 0; k < nb; ++k)
        blocks.push_back(Num(config.BlockBytes[static_cast<size_t>(k)]));
    trace.push_back(
        "T = " + (blocks.empty() ? "0" : Joined(blocks, " + ")) + " = " + Num(r.FlashUsedBytes));
    const int64_t header
        = config.CustomOverhead ? config.BlockOverhead : BlockHeaderOverhead(config.Scheme);
    trace.push_back(Format("B = %d x %lld = %lld", config.BlockCount,
        static_cast<long long>(header), static_cast<long long>(r.BlockHeaders)));
    if (n == 0) {
        trace.push_back("Flash cycles = ceil((0 + 0) x 0.5) = " + Num(r.FlashCycles));
        return;
    }

    std::vector<std::string> held {Num(r.BlockHeaders)};
    for (int i = 0; i < n; ++i) {
        const DataTypeInput& type = config.DataTypes[static_cast<size_t>(i)];
        const DataTypeTerms& t = r.Terms[static_cast<size_t>(i)];
        trace.push_back(Format("S_%d = (%d + %d) x %d = ", i, type.DataSize,
                            r.RecordOverhead[static_cast<size_t>(i)], type.Records)
            + Num(t.HeldBytes));
        held.push_back(Num(t.HeldBytes));
    }
    const int64_t roomLeft = r.Terms[0].RoomLeft;
    const int64_t all = r.FlashUsedBytes - roomLeft; // P
    trace.push_back("P = " + Joined(held, " + ") + " = " + Num(all));
    trace.push_back("T - P = " + Num(r.FlashUsedBytes) + " - " + Num(all) + " = " + Num(roomLeft));

    SumLines first(trace, "first", n);
    SumLines second(trace, "second", n);
    for (int i = 0; i < n; ++i) {
        const DataTypeInput& type = config.DataTypes[static_cast<size_t>(i)];
        const DataTypeTerms& t = r.Terms[static_cast<size_t>(i)];
        const int64_t others = r.FlashUsedBytes - t.RoomBesideOthers; // O_i
        trace.push_back(
            Format("O_%d = ", i) + Num(all) + " - " + Num(t.HeldBytes) + " = " + Num(others));
        trace.push_back(Format("T - O_%d = ", i) + Num(r.FlashUsedBytes) + " - " + Num(others)
            + " = " + Num(t.RoomBesideOthers));
        const std::string written = type.Daily
            ? Num(type.Updates * 365) + " x " + Years(config.LifeTime) + " x " + Num(t.HeldBytes)
            : Num(t.HeldBytes) + " x " + Num(type.Updates);
        trace.push_back(Format("W_%d = ", i) + written + " = " + Num(t.WrittenBytes));
        first.Term(i,
            t.RoomBesideOthers == 0 ? Format("0 (T - O_%d = 0: left out)", i)
                                    : "ceil(" + Num(t.WrittenBytes) + " / "
                    + Num(t.RoomBesideOthers) + ") = " + Num(t.FirstTerm),
            t.FirstTerm);
        second.Term(i,
            roomLeft == 0 ? std::string("0 (T - P = 0: left out)")
                          : "ceil(" + Num(t.WrittenBytes) + " / " + Num(roomLeft)
                    + ") = " + Num(t.SecondTerm),
            t.SecondTerm);
    }
    first.Total(r.FirstSum);
    second.Total(r.SecondSum);
    trace.push_back("Flash cycles = ceil((" + Num(r.FirstSum) + " + " + Num(r.SecondSum)
        + ") x 0.5) = " + Num(r.FlashCycles));
}

void TraceUpdates(
    const EvalConfig& config, const EvalResult& r, int n, std::vector<std::string>& trace)
{
    SumLines updates(trace, "Lifetime updates", n);
    for (int i = 0; i < n; ++i) {
        const DataTypeInput& type = config.DataTypes[static_cast<size_t>(i)];
        const DataTypeTerms& t = r.Terms[static_cast<size_t>(i)];
        std::string formula = Format(
            "%d x %lld x %d", type.DataSize, static_cast<long long>(type.Updates), type.Records);
        if (type.Daily)
            formula += " x 365 x " + Years(config.LifeTime);
        updates.Term(i, formula + " = " + Num(t.LifetimeBytes), t.LifetimeBytes);
    }
    updates.Total(r.LifetimeUpdates);
    if (n == 0)
        trace.push_back("Lifetime updates = 0");

    if (!r.HasMaxUpdateRequirement)
        return;
    std::vector<std::string> counts;
    for (int i = 0; i < n; ++i) {
        const DataTypeInput& type = config.DataTypes[static_cast<size_t>(i)];
        const double count = r.Terms[static_cast<size_t>(i)].LifetimeUpdates;
        const std::string name = n == 1 ? "Maximum update requirement" : Index("Updates", i);
        trace.push_back(name + " = "
            + (type.Daily ? Num(type.Updates * 365) + " x " + Years(config.LifeTime) + " = "
                          : std::string())
            + Num(count));
        counts.push_back(Num(count));
    }
    if (n > 1)
        trace.push_back("Maximum update requirement = max(" + Joined(counts, ", ")
            + ") = " + Num(r.MaxUpdateRequirement));
}

void TraceRefreshInterval(
    const EvalConfig& config, const EvalResult& r, std::vector<std::string>& trace)
{
    if (!r.HasRefreshInterval) {
        trace.push_back("Refresh interval: none, the flash cycles are 0");
        return;
    }
    const ResultTexts texts = MakeResultTexts(r);
    trace.push_back("Refresh interval = " + Years(config.LifeTime) + " x 365 / "
        + Num(r.FlashCycles) + " = " + texts.RefreshInterval + " days");
}

} // namespace

Breakdown MakeBreakdown(const EvalConfig& config, const EvalResult& r)
{
    Breakdown breakdown;
    if (r.NegativeRoom) {
        breakdown.Trace.push_back(
            "No estimate: the selected blocks cannot hold the block headers and the data");
        return breakdown;
    }
    breakdown.HasEstimate = true;
    const int n = std::clamp(config.DataTypeCount, 0, kMaxDataTypes);
    double allWritten = 0.0;
    double allContributions = 0.0;
    for (int i = 0; i < n; ++i) {
        const DataTypeTerms& t = r.Terms[static_cast<size_t>(i)];
        DataTypeShare share;
        share.DataType = i + 1;
        share.BytesHeld = t.HeldBytes;
        share.BytesWritten = t.WrittenBytes;
        share.FirstTerm = t.FirstTerm;
        share.SecondTerm = t.SecondTerm;
        share.Contribution = (t.FirstTerm + t.SecondTerm) * 0.5;
        allWritten += share.BytesWritten;
        allContributions += share.Contribution;
        breakdown.DataTypes.push_back(share);
    }
    // Without any bytes written (or any cycles) no type has a share of them.
    for (DataTypeShare& share : breakdown.DataTypes) {
        if (allWritten > 0.0)
            share.WriteSharePercent = share.BytesWritten / allWritten * 100.0;
        if (allContributions > 0.0)
            share.CyclesSharePercent = share.Contribution / allContributions * 100.0;
    }

    TraceFlashCycles(config, r, n, breakdown.Trace);
    TraceUpdates(config, r, n, breakdown.Trace);
    TraceRefreshInterval(config, r, breakdown.Trace);
    return breakdown;
}

} // namespace eee
