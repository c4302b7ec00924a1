#include "calc/RetentionText.h"

#include "calc/Format.h"

namespace eee {

namespace {

std::string Number(double value)
{
    return FormatG(value, 6);
}

// A fixed number of decimals, and an exponent only for figures no device reaches in practice.
std::string Fixed(double value, const char* format)
{
    return value < 1e6 ? Format(format, value) : FormatG(value, 4);
}

std::string Cycles(double cycles)
{
    return FormatG(cycles, 15) + " cycles";
}

// "10 years up to 100000 cycles"
std::string TierText(const RetentionTier& tier)
{
    return Number(tier.Years) + " years up to " + Cycles(static_cast<double>(tier.MaxCycles));
}

std::string CyclesLine(const DeviceProfile& profile, const RetentionResult& result)
{
    std::string line = "Flash cycles per block: " + FormatG(result.CyclesPerBlock, 15);
    if (result.Tier)
        return line + "; retention tier: " + TierText(*result.Tier) + " at "
            + Number(profile.ReferenceCelsius) + " °C";
    if (result.CyclesPerBlock > static_cast<double>(profile.EnduranceCycles))
        return line + "; above the rated endurance of "
            + Cycles(static_cast<double>(profile.EnduranceCycles));
    return line + "; above the last tier (" + TierText(profile.Tiers.back()) + ")";
}

std::string MissionLine(const RetentionResult& result)
{
    std::string line = "Mission: ";
    bool first = true;
    for (const SegmentResult& segment : result.Mission) {
        if (!first)
            line += ", ";
        first = false;
        line += Number(segment.Years) + " years at " + Number(segment.Celsius)
            + " °C (acceleration " + FormatG(segment.AccelerationFactor, 3) + ")";
    }
    return line;
}

} // namespace

std::string RetentionHeadline(const RetentionResult& result)
{
    return kRetentionLabel + result.Note;
}

std::vector<std::string> RetentionDetails(
    const DeviceProfile& profile, const RetentionResult& result)
{
    std::vector<std::string> lines {CyclesLine(profile, result), MissionLine(result)};
    if (result.Tier) {
        lines.push_back("Effective retention: " + Fixed(result.EffectiveYears, "%.1f")
            + " years for this mission, margin " + Fixed(result.Margin, "%.2f"));
    }
    return lines;
}

std::string ProfileSummary(const DeviceProfile& profile)
{
    std::string text = "endurance " + Cycles(static_cast<double>(profile.EnduranceCycles))
        + "; retention at " + Number(profile.ReferenceCelsius) + " °C: ";
    bool first = true;
    for (const RetentionTier& tier : profile.Tiers) {
        if (!first)
            text += ", ";
        first = false;
        text += TierText(tier);
    }
    if (profile.ActivationEnergyEv)
        return text + "; activation energy " + Number(*profile.ActivationEnergyEv) + " eV";
    return text + "; no activation energy: known at " + Number(profile.ReferenceCelsius)
        + " °C only";
}

} // namespace eee
