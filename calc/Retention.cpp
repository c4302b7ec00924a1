#include "calc/Retention.h"

#include "calc/Format.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace eee {

namespace {

std::string_view TrimBlanks(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// A finite decimal number, the whole text, independent of the locale.
std::optional<double> ParseNumber(std::string_view s)
{
    s = TrimBlanks(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string Number(double value)
{
    return FormatG(value, 6);
}

std::string Quoted(std::string_view text)
{
    std::string quoted(1, '"');
    quoted += text;
    quoted += '"';
    return quoted;
}

bool CelsiusInRange(double celsius)
{
    return celsius >= kMinCelsius && celsius <= kMaxCelsius;
}

// "-100 to 300 °C"
std::string CelsiusRangeText()
{
    return Number(kMinCelsius) + " to " + Number(kMaxCelsius) + " °C";
}

// "62.5%", and an exponent only for shares no mission reaches in practice.
std::string PercentText(double fraction)
{
    const double percent = 100.0 * fraction;
    if (percent < 1e6)
        return Format("%.1f%%", percent);
    return PadExponents(Format("%.3e%%", percent));
}

} // namespace

std::string MissionSegmentProblem(const MissionSegment& segment)
{
    if (!(std::isfinite(segment.Years) && segment.Years > 0.0))
        return "the years must be a number above 0";
    if (!CelsiusInRange(segment.Celsius))
        return "the temperature must be a number from " + CelsiusRangeText();
    return {};
}

std::string ProfileProblem(const DeviceProfile& profile)
{
    if (TrimBlanks(profile.Name).empty())
        return "has no name";
    if (profile.EnduranceCycles < 1 || profile.EnduranceCycles > kMaxProfileCycles)
        return "has an endurance outside 1 to " + std::to_string(kMaxProfileCycles) + " cycles";
    if (!CelsiusInRange(profile.ReferenceCelsius))
        return "has a reference temperature outside " + CelsiusRangeText();
    if (profile.ActivationEnergyEv) {
        const double ea = *profile.ActivationEnergyEv;
        if (!(ea > 0.0 && ea <= kMaxActivationEnergyEv))
            return "has an activation energy outside 0 to " + Number(kMaxActivationEnergyEv)
                + " eV";
    }
    if (profile.Tiers.empty())
        return "has no retention tiers";
    int64_t previous = 0;
    for (const RetentionTier& tier : profile.Tiers) {
        if (tier.MaxCycles < 1 || tier.MaxCycles > kMaxProfileCycles)
            return "has a tier outside 1 to " + std::to_string(kMaxProfileCycles) + " cycles";
        if (tier.MaxCycles <= previous)
            return "lists its tiers out of ascending cycles (" + std::to_string(tier.MaxCycles)
                + " after " + std::to_string(previous) + ")";
        if (!(tier.Years > 0.0 && tier.Years <= kMaxRetentionYears))
            return "has a tier whose years are outside 0 to " + Number(kMaxRetentionYears);
        previous = tier.MaxCycles;
    }
    return {};
}

const DeviceProfile* FindProfile(const std::vector<DeviceProfile>& profiles, std::string_view name)
{
    name = TrimBlanks(name);
    for (const DeviceProfile& profile : profiles) {
        if (EqualsNoCase(profile.Name, name))
            return &profile;
    }
    return nullptr;
}

bool ParseMission(
    std::string_view text, std::vector<MissionSegment>& mission, std::string& errorText)
{
    std::vector<MissionSegment> segments;
    if (TrimBlanks(text).empty()) {
        mission.clear();
        return true;
    }
    std::size_t number = 0;
    for (;;) {
        ++number;
        const std::size_t comma = text.find(',');
        const std::string_view part = TrimBlanks(text.substr(0, comma));
        const std::string label = "Mission segment " + std::to_string(number);
        if (part.empty()) {
            errorText = label + " is empty: write years@°C, separated by commas (e.g. 14@30,6@50).";
            return false;
        }
        const std::size_t at = part.find('@');
        if (at == std::string_view::npos || part.find('@', at + 1) != std::string_view::npos) {
            errorText
                = label + " " + Quoted(part) + " is not written as years@°C (e.g. 14@30,6@50).";
            return false;
        }
        const std::optional<double> years = ParseNumber(part.substr(0, at));
        const std::optional<double> celsius = ParseNumber(part.substr(at + 1));
        MissionSegment segment;
        segment.Years = years.value_or(std::numeric_limits<double>::quiet_NaN());
        segment.Celsius = celsius.value_or(std::numeric_limits<double>::quiet_NaN());
        if (const std::string problem = MissionSegmentProblem(segment); !problem.empty()) {
            errorText = label + " " + Quoted(part) + ": " + problem + ".";
            return false;
        }
        segments.push_back(segment);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    mission = std::move(segments);
    return true;
}

std::string MissionText(const std::vector<MissionSegment>& mission)
{
    // The shortest text that reads back as the same number.
    const auto shortest = [](double value) {
        char buf[32];
        const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
        return ec == std::errc() ? std::string(buf, end) : std::string("nan");
    };
    std::string text;
    for (const MissionSegment& segment : mission) {
        if (!text.empty())
            text += ',';
        text += shortest(segment.Years) + "@" + shortest(segment.Celsius);
    }
    return text;
}

double AccelerationFactor(double activationEnergyEv, double referenceCelsius, double celsius)
{
    // Exactly 1 at the reference temperature, so that the envelope profile
    // gives the calculator's own verdict bit for bit.
    if (celsius == referenceCelsius)
        return 1.0;
    const double referenceKelvin = referenceCelsius + kKelvinAtZeroCelsius;
    const double kelvin = celsius + kKelvinAtZeroCelsius;
    return std::exp(
        (activationEnergyEv / kBoltzmannEvPerKelvin) * (1.0 / referenceKelvin - 1.0 / kelvin));
}

std::optional<RetentionTier> TierFor(const DeviceProfile& profile, double cycles)
{
    if (!(cycles <= static_cast<double>(profile.EnduranceCycles)))
        return std::nullopt;
    // Steps, not interpolation: a block between two tiers gets the shorter
    // retention of the higher one. The least covering tier is taken, so the
    // answer does not depend on the order of the list.
    std::optional<RetentionTier> found;
    for (const RetentionTier& tier : profile.Tiers) {
        if (static_cast<double>(tier.MaxCycles) >= cycles
            && (!found || tier.MaxCycles < found->MaxCycles))
            found = tier;
    }
    return found;
}

bool CheckRetention(const DeviceProfile& profile, double cycles, float lifeTime,
    const std::vector<MissionSegment>& mission, RetentionResult& result, std::string& errorText)
{
    if (const std::string problem = ProfileProblem(profile); !problem.empty()) {
        errorText = "Device profile " + Quoted(profile.Name) + " " + problem + ".";
        return false;
    }
    if (!(std::isfinite(cycles) && cycles >= 0.0)) {
        errorText = "The flash cycles per block must be a number of 0 or more.";
        return false;
    }
    const double lifetime = static_cast<double>(lifeTime);
    if (!(std::isfinite(lifetime) && lifetime > 0.0)) {
        errorText = "The lifetime must be a number of years above 0.";
        return false;
    }

    std::vector<MissionSegment> segments = mission;
    if (segments.empty())
        segments.push_back({lifetime, profile.ReferenceCelsius});
    double sum = 0.0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (const std::string problem = MissionSegmentProblem(segments[i]); !problem.empty()) {
            errorText = "Mission segment " + std::to_string(i + 1) + ": " + problem + ".";
            return false;
        }
        sum += segments[i].Years;
    }
    if (!(std::fabs(sum - lifetime) <= kMissionSumTolerance)) {
        errorText = "The mission adds up to " + Number(sum) + " years, but the lifetime is "
            + Number(lifetime) + " years.";
        return false;
    }

    RetentionResult out;
    out.ProfileName = profile.Name;
    out.CyclesPerBlock = cycles;
    out.LifeTime = lifeTime;
    double used = 0.0;
    for (const MissionSegment& segment : segments) {
        if (!profile.ActivationEnergyEv && segment.Celsius != profile.ReferenceCelsius) {
            errorText = "Device profile " + Quoted(profile.Name)
                + " gives no activation energy, so its retention is known only at "
                + Number(profile.ReferenceCelsius) + " °C; the mission asks for "
                + Number(segment.Celsius) + " °C.";
            return false;
        }
        const double factor = AccelerationFactor(
            profile.ActivationEnergyEv.value_or(0.0), profile.ReferenceCelsius, segment.Celsius);
        out.Mission.push_back({segment.Years, segment.Celsius, factor});
        used += segment.Years * factor;
    }

    out.Tier = TierFor(profile, cycles);
    if (!out.Tier) {
        out.Note = kBeyondEndurance;
    } else {
        out.Consumed = used / out.Tier->Years;
        out.EffectiveYears = lifetime / out.Consumed;
        out.Margin = 1.0 / out.Consumed;
        out.InSpec = out.Consumed <= 1.0;
        out.Note = std::string(out.InSpec ? "in spec" : "out of spec") + ": the mission uses "
            + PercentText(out.Consumed) + " of the " + Number(out.Tier->Years) + "-year retention";
    }
    result = std::move(out);
    errorText.clear();
    return true;
}

} // namespace eee
