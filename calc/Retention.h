// The retention check: how long data written to a flash block is retained
// after the block has been cycled N times, over a mission of years spent at
// various temperatures, against the tiers of a device profile.
//
// The road of one check: the flash cycles N and the lifetime L of an
// evaluation, a profile and a mission -> CheckRetention() -> the tier that
// holds for N, the acceleration factor of every mission segment, the share of
// the tier's retention that the mission consumes, and the verdict.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace eee {

inline constexpr double kBoltzmannEvPerKelvin = 8.617333262e-5;
inline constexpr double kKelvinAtZeroCelsius = 273.15;

// Limits of profile figures and mission temperatures. They keep every
// acceleration factor a finite, non-zero number.
inline constexpr double kMinCelsius = -100.0;
inline constexpr double kMaxCelsius = 300.0;
inline constexpr double kMaxActivationEnergyEv = 3.0;
inline constexpr int64_t kMaxProfileCycles = 1000000000;
inline constexpr double kMaxRetentionYears = 1000.0;

// The mission must add up to the lifetime within this many years: far above
// the rounding of a single-precision lifetime, far below an hour.
inline constexpr double kMissionSumTolerance = 1e-4;

inline constexpr const char* kBeyondEndurance = "beyond the rated endurance";

// Data in a block that has seen at most MaxCycles erase cycles is retained
// for Years at the profile's reference temperature.
struct RetentionTier
{
    int64_t MaxCycles = 0;
    double Years = 0.0;

    bool operator==(const RetentionTier&) const = default;
};

struct DeviceProfile
{
    std::string Name; // unique among the profiles listed, letter case ignored
    int64_t EnduranceCycles = 0; // rated erase cycles per block
    std::vector<RetentionTier> Tiers; // ascending MaxCycles
    double ReferenceCelsius = 0.0; // temperature at which the tiers hold
    // Without it retention is known only at the reference temperature.
    std::optional<double> ActivationEnergyEv;

    bool operator==(const DeviceProfile&) const = default;
};

// A part of the lifetime spent at one temperature.
struct MissionSegment
{
    double Years = 0.0;
    double Celsius = 0.0;

    bool operator==(const MissionSegment&) const = default;
};

// What is wrong with a profile (its limits, tiers in strictly ascending
// cycles), as a phrase to follow "Device profile NAME "; empty when usable.
std::string ProfileProblem(const DeviceProfile& profile);

// The profile of that name, letter case ignored; null when none.
const DeviceProfile* FindProfile(const std::vector<DeviceProfile>& profiles, std::string_view name);

// Reads "14@30,6@50": years@°C segments separated by commas, blanks allowed
// around every part. Blank text gives an empty mission (the whole lifetime at
// the reference temperature). On failure mission is left as it was.
bool ParseMission(
    std::string_view text, std::vector<MissionSegment>& mission, std::string& errorText);
// The text ParseMission reads back into the same segments.
std::string MissionText(const std::vector<MissionSegment>& mission);

// Why a mission segment cannot be used (years not above 0, a temperature
// outside the limits), as a phrase; empty when it can.
std::string MissionSegmentProblem(const MissionSegment& segment);

// exp((Ea / k_B) x (1 / T_ref - 1 / T)), temperatures in kelvin: how much
// faster retention is used up at celsius than at the reference temperature.
// Exactly 1 at the reference temperature.
double AccelerationFactor(double activationEnergyEv, double referenceCelsius, double celsius);

// The first tier in ascending cycles that covers cycles per block; none when
// cycles exceed the last tier or the rated endurance.
std::optional<RetentionTier> TierFor(const DeviceProfile& profile, double cycles);

struct SegmentResult
{
    double Years = 0.0;
    double Celsius = 0.0;
    double AccelerationFactor = 1.0;
};

struct RetentionResult
{
    std::string ProfileName;
    double CyclesPerBlock = 0.0;
    float LifeTime = 0.0f;
    std::vector<SegmentResult> Mission; // the default segment when none was given
    // No tier: the cycles are beyond the rated endurance, and the figures
    // below stay 0.
    std::optional<RetentionTier> Tier;
    double Consumed = 0.0; // sum(t_i x AF_i) / tier years; 1 uses up the retention
    double EffectiveYears = 0.0; // lifetime / Consumed
    double Margin = 0.0; // 1 / Consumed
    bool InSpec = false; // a tier holds and Consumed <= 1
    std::string Note; // one line saying why
};

// The check for N = cycles per block and L = lifeTime. An empty mission is
// the whole lifetime at the reference temperature. Fails, with result left as
// it was, when the inputs cannot be checked: an unusable profile, N or L not
// a usable number, a mission that does not add up to L, or a segment away from
// the reference temperature in a profile without activation energy.
bool CheckRetention(const DeviceProfile& profile, double cycles, float lifeTime,
    const std::vector<MissionSegment>& mission, RetentionResult& result, std::string& errorText);

} // namespace eee
