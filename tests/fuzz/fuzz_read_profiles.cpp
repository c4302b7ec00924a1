// Fuzzes ReadDeviceProfiles with arbitrary file contents, validated against
// the delivered DeviceProfiles.xsd; every profile that loads goes through the
// retention check. The same bytes are read as a mission text.
#include "FuzzModule.h"

#include "calc/Retention.h"
#include "files/DeviceProfiles.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string_view>

using eee::fuzz::Check;
using eee::fuzz::TheModule;

namespace {

// The shared module folder holds the other readers' schemas; this one is added once.
const eee::fuzz::Module& ProfilesModule()
{
    static const eee::fuzz::Module& module = []() -> const eee::fuzz::Module& {
        const eee::fuzz::Module& shared = TheModule();
        std::ifstream in(std::string(EEE_DATA_DIR) + "/" + eee::kDeviceProfilesSchema);
        std::ostringstream xsd;
        xsd << in.rdbuf();
        Check(in.good() && !xsd.str().empty());
        const std::string text = xsd.str();
        shared.Write(
            eee::kDeviceProfilesSchema, reinterpret_cast<const uint8_t*>(text.data()), text.size());
        return shared;
    }();
    return module;
}

void CheckResult(const eee::DeviceProfile& profile, double cycles, float lifeTime,
    const std::vector<eee::MissionSegment>& mission)
{
    eee::RetentionResult result;
    std::string error;
    if (!eee::CheckRetention(profile, cycles, lifeTime, mission, result, error)) {
        Check(!error.empty());
        return;
    }
    Check(result.Mission.size() == std::max<std::size_t>(mission.size(), 1));
    for (const eee::SegmentResult& segment : result.Mission)
        Check(std::isfinite(segment.AccelerationFactor) && segment.AccelerationFactor > 0.0);
    if (result.Tier) {
        Check(std::isfinite(result.Consumed) && result.Consumed > 0.0);
        Check(std::isfinite(result.EffectiveYears) && std::isfinite(result.Margin));
        Check(result.InSpec == (result.Consumed <= 1.0));
    } else {
        Check(!result.InSpec && result.Note == eee::kBeyondEndurance);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const eee::fuzz::Module& module = ProfilesModule();
    module.Write(eee::kDeviceProfilesFile, data, size);
    eee::FileAccess files(module.Path());

    std::vector<eee::DeviceProfile> profiles;
    std::string error;
    if (files.ReadDeviceProfiles(eee::kDeviceProfilesFile, profiles, error)) {
        Check(error.empty());
        Check(profiles.size() <= 64);
        for (std::size_t i = 0; i < profiles.size(); ++i) {
            Check(eee::ProfileProblem(profiles[i]).empty());
            Check(eee::FindProfile(profiles, profiles[i].Name) == &profiles[i]);
            const eee::DeviceProfile& profile = profiles[i];
            for (const eee::RetentionTier& tier : profile.Tiers) {
                for (const double cycles : {static_cast<double>(tier.MaxCycles),
                         static_cast<double>(tier.MaxCycles) + 1.0})
                    CheckResult(profile, cycles, 20.0f, {});
            }
            CheckResult(profile, 0.0, 20.0f, {{10.0, -100.0}, {10.0, 300.0}});
        }
    } else {
        Check(!error.empty());
    }

    // The same bytes as a mission text.
    std::vector<eee::MissionSegment> mission;
    const std::string_view text(
        reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 4096));
    if (eee::ParseMission(text, mission, error)) {
        double years = 0.0;
        for (const eee::MissionSegment& segment : mission)
            years += segment.Years;
        Check(eee::MissionText(mission).empty() == mission.empty());
        const eee::DeviceProfile profile {"Fuzz", 1000, {{1000, 10.0}}, 55.0, 0.7};
        if (years > 0.0 && years < 1e30)
            CheckResult(profile, 10.0, static_cast<float>(years), mission);
    } else {
        Check(!error.empty());
    }
    return 0;
}
