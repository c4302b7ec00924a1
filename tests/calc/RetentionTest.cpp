// The retention check: tiers, acceleration factors, mission texts and the verdict.
#include "calc/Retention.h"
#include "calc/Types.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace eee {
namespace {

DeviceProfile Envelope()
{
    return {"Envelope 100k cycles / 20 years", 100000, {{100000, 20.0}}, 55.0, std::nullopt};
}

DeviceProfile EepromEmulation()
{
    return {"EEPROM emulation, 55 °C", 100000, {{10000, 20.0}, {100000, 10.0}}, 55.0, 0.7};
}

DeviceProfile TieredDataFlash()
{
    return {
        "Data flash, tiered, 55 °C", 25000, {{100, 25.0}, {2500, 20.0}, {25000, 10.0}}, 55.0, 0.7};
}

DeviceProfile Automotive()
{
    return {"Automotive data flash, 85 °C", 10000, {{1000, 20.0}, {10000, 10.0}}, 85.0, 0.75};
}

std::vector<MissionSegment> Mission(const std::string& text)
{
    std::vector<MissionSegment> mission;
    std::string error;
    EXPECT_TRUE(ParseMission(text, mission, error)) << error;
    return mission;
}

// ---- Tiers ----

struct TierCase
{
    DeviceProfile Profile;
    double Cycles;
    std::optional<int64_t> TierCycles; // none: beyond the rated endurance
};

class TierBoundary : public testing::TestWithParam<TierCase>
{ };

TEST_P(TierBoundary, FirstTierCoveringTheCyclesHolds)
{
    const TierCase& c = GetParam();
    const std::optional<RetentionTier> tier = TierFor(c.Profile, c.Cycles);
    ASSERT_EQ(tier.has_value(), c.TierCycles.has_value());
    if (tier) {
        EXPECT_EQ(tier->MaxCycles, *c.TierCycles);
    }
}

DeviceProfile EnduranceBelowLastTier()
{
    DeviceProfile profile = EepromEmulation();
    profile.EnduranceCycles = 50000;
    return profile;
}

DeviceProfile LastTierBelowEndurance()
{
    DeviceProfile profile = Automotive();
    profile.Tiers.pop_back();
    return profile;
}

INSTANTIATE_TEST_SUITE_P(Retention, TierBoundary,
    testing::Values(TierCase {TieredDataFlash(), 0.0, 100},
        TierCase {TieredDataFlash(), 100.0, 100}, TierCase {TieredDataFlash(), 100.25, 2500},
        TierCase {TieredDataFlash(), 101.0, 2500}, TierCase {TieredDataFlash(), 2500.0, 2500},
        TierCase {TieredDataFlash(), 2501.0, 25000}, TierCase {TieredDataFlash(), 25000.0, 25000},
        TierCase {TieredDataFlash(), 25001.0, std::nullopt},
        TierCase {Envelope(), 100000.0, 100000}, TierCase {Envelope(), 100000.5, std::nullopt},
        TierCase {EnduranceBelowLastTier(), 50000.0, 100000},
        TierCase {EnduranceBelowLastTier(), 50001.0, std::nullopt},
        TierCase {LastTierBelowEndurance(), 1000.0, 1000},
        TierCase {LastTierBelowEndurance(), 1001.0, std::nullopt}));

// ---- Acceleration factors ----

TEST(Retention, AccelerationFactorIsExactlyOneAtTheReferenceTemperature)
{
    EXPECT_EQ(AccelerationFactor(0.7, 55.0, 55.0), 1.0);
    EXPECT_EQ(AccelerationFactor(3.0, -100.0, -100.0), 1.0);
}

TEST(Retention, AccelerationFactorFollowsArrhenius)
{
    // 0.7 eV / k_B = 8123.1 K; 1/328.15 K - 1/358.15 K = 2.5525e-4 /K; exp(2.0735) = 7.9528.
    EXPECT_NEAR(AccelerationFactor(0.7, 55.0, 85.0), 7.9528, 1e-4);
    // Cooler than the reference uses retention up more slowly, by the reciprocal.
    EXPECT_NEAR(AccelerationFactor(0.7, 85.0, 55.0), 1.0 / 7.9528, 1e-5);
    EXPECT_NEAR(AccelerationFactor(0.7, 55.0, 30.0), 0.129842, 1e-6);
}

// ---- Mission texts ----

struct MissionCase
{
    std::string Text;
    std::vector<MissionSegment> Segments;
};

class MissionParse : public testing::TestWithParam<MissionCase>
{ };

TEST_P(MissionParse, ReadsYearsAtCelsius)
{
    const MissionCase& c = GetParam();
    std::vector<MissionSegment> mission {{99.0, 99.0}};
    std::string error = "old";
    ASSERT_TRUE(ParseMission(c.Text, mission, error)) << error;
    EXPECT_EQ(mission, c.Segments);
    std::vector<MissionSegment> again;
    ASSERT_TRUE(ParseMission(MissionText(mission), again, error));
    EXPECT_EQ(again, mission);
}

INSTANTIATE_TEST_SUITE_P(Retention, MissionParse,
    testing::Values(MissionCase {"14@30,6@50", {{14.0, 30.0}, {6.0, 50.0}}},
        MissionCase {" 14 @ 30 ,\t6@ 50 ", {{14.0, 30.0}, {6.0, 50.0}}},
        MissionCase {"2.5@-10", {{2.5, -10.0}}}, MissionCase {"+0.1@+85", {{0.1, 85.0}}},
        MissionCase {".5@300,19.5@-100", {{0.5, 300.0}, {19.5, -100.0}}}, MissionCase {"", {}},
        MissionCase {"   ", {}}));

struct BadMissionCase
{
    std::string Text;
    std::string Message;
};

class BadMission : public testing::TestWithParam<BadMissionCase>
{ };

TEST_P(BadMission, IsRefusedWithAClearMessage)
{
    const BadMissionCase& c = GetParam();
    const std::vector<MissionSegment> before {{20.0, 55.0}};
    std::vector<MissionSegment> mission = before;
    std::string error;
    EXPECT_FALSE(ParseMission(c.Text, mission, error));
    EXPECT_EQ(error, c.Message);
    EXPECT_EQ(mission, before);
}

INSTANTIATE_TEST_SUITE_P(Retention, BadMission,
    testing::Values(
        BadMissionCase {"14@30,,6@50",
            "Mission segment 2 is empty: write years@°C, separated by commas (e.g. 14@30,6@50)."},
        BadMissionCase {"14#30",
            "Mission segment 1 \"14#30\" is not written as years@°C (e.g. "
            "14@30,6@50)."},
        BadMissionCase {"14@30@40",
            "Mission segment 1 \"14@30@40\" is not written as years@°C "
            "(e.g. 14@30,6@50)."},
        BadMissionCase {"14,5@30",
            "Mission segment 1 \"14\" is not written as years@°C (e.g. "
            "14@30,6@50)."},
        BadMissionCase {"x@30", "Mission segment 1 \"x@30\": the years must be a number above 0."},
        BadMissionCase {"6@50,0@30",
            "Mission segment 2 \"0@30\": the years must be a number "
            "above 0."},
        BadMissionCase {
            "-1@30", "Mission segment 1 \"-1@30\": the years must be a number above 0."},
        BadMissionCase {"1e400@30",
            "Mission segment 1 \"1e400@30\": the years must be a number "
            "above 0."},
        BadMissionCase {"14@",
            "Mission segment 1 \"14@\": the temperature must be a number from "
            "-100 to 300 °C."},
        BadMissionCase {"14@nan",
            "Mission segment 1 \"14@nan\": the temperature must be a number "
            "from -100 to 300 °C."},
        BadMissionCase {"14@300.5",
            "Mission segment 1 \"14@300.5\": the temperature must be a "
            "number from -100 to 300 °C."},
        // Nothing may follow a number: not a unit, not a second number.
        BadMissionCase {"14@30C",
            "Mission segment 1 \"14@30C\": the temperature must be a number from -100 to "
            "300 °C."},
        BadMissionCase {
            "6@50,14 y@30", "Mission segment 2 \"14 y@30\": the years must be a number above 0."}));

// ---- The check ----

TEST(Retention, MissionUsesTheTierAtItsTemperatures)
{
    // N = 5000 is in the 10k-cycle tier of 20 years. 14 years at 30 °C and 6 at
    // 50 °C use (14 x 0.129842 + 6 x 0.681801) / 20 = 0.295430 of it.
    RetentionResult result;
    std::string error;
    ASSERT_TRUE(
        CheckRetention(EepromEmulation(), 5000.0, 20.0f, Mission("14@30,6@50"), result, error))
        << error;
    EXPECT_EQ(result.ProfileName, "EEPROM emulation, 55 °C");
    ASSERT_TRUE(result.Tier);
    EXPECT_EQ(*result.Tier, (RetentionTier {10000, 20.0}));
    ASSERT_EQ(result.Mission.size(), 2u);
    EXPECT_NEAR(result.Mission[0].AccelerationFactor, 0.129842, 1e-6);
    EXPECT_NEAR(result.Mission[1].AccelerationFactor, 0.681801, 1e-6);
    EXPECT_NEAR(result.Consumed, 0.295430, 1e-6);
    EXPECT_NEAR(result.EffectiveYears, 67.6979, 1e-4);
    EXPECT_NEAR(result.Margin, 3.38490, 1e-5);
    EXPECT_TRUE(result.InSpec);
    EXPECT_EQ(result.Note, "in spec: the mission uses 29.5% of the 20-year retention");
    EXPECT_EQ(error, "");
}

TEST(Retention, HotMissionRunsOutOfRetention)
{
    // 10 years at 85 °C and 5 at 105 °C (factor 3.61559) in the 10-year tier.
    RetentionResult result;
    std::string error;
    ASSERT_TRUE(CheckRetention(Automotive(), 5000.0, 15.0f, Mission("10@85,5@105"), result, error));
    EXPECT_NEAR(result.Consumed, 2.807795, 1e-6);
    EXPECT_NEAR(result.EffectiveYears, 5.342270, 1e-6);
    EXPECT_FALSE(result.InSpec);
    EXPECT_EQ(result.Note, "out of spec: the mission uses 280.8% of the 10-year retention");
}

TEST(Retention, WithoutMissionTheLifetimeIsSpentAtTheReferenceTemperature)
{
    RetentionResult result;
    std::string error;
    ASSERT_TRUE(CheckRetention(TieredDataFlash(), 2501.0, 12.5f, {}, result, error));
    ASSERT_EQ(result.Mission.size(), 1u);
    EXPECT_EQ(result.Mission[0].Years, 12.5);
    EXPECT_EQ(result.Mission[0].Celsius, 55.0);
    EXPECT_EQ(result.Mission[0].AccelerationFactor, 1.0);
    EXPECT_EQ(result.Consumed, 1.25);
    EXPECT_EQ(result.EffectiveYears, 10.0);
    EXPECT_EQ(result.Margin, 0.8);
    EXPECT_FALSE(result.InSpec);
}

TEST(Retention, CyclesBeyondTheEnduranceFailWithoutFigures)
{
    RetentionResult result;
    std::string error;
    ASSERT_TRUE(CheckRetention(TieredDataFlash(), 25001.0, 1.0f, {}, result, error));
    EXPECT_FALSE(result.Tier);
    EXPECT_FALSE(result.InSpec);
    EXPECT_EQ(result.Note, "beyond the rated endurance");
    EXPECT_EQ(result.Consumed, 0.0);
    EXPECT_EQ(result.CyclesPerBlock, 25001.0);
}

// The envelope profile gives the calculator's own verdict: in spec exactly
// when L <= 20 and N <= 100000, on both sides of both edges.
struct EnvelopeCase
{
    double Cycles;
    float LifeTime;
};

class EnvelopeAgreement : public testing::TestWithParam<EnvelopeCase>
{ };

TEST_P(EnvelopeAgreement, InSpecExactlyInsideTheRectangle)
{
    const EnvelopeCase& c = GetParam();
    RetentionResult result;
    std::string error;
    ASSERT_TRUE(CheckRetention(Envelope(), c.Cycles, c.LifeTime, {}, result, error)) << error;
    EXPECT_EQ(result.InSpec, c.LifeTime <= kLifetimeLimit && c.Cycles <= kCyclesLimit);
}

INSTANTIATE_TEST_SUITE_P(Retention, EnvelopeAgreement,
    testing::Values(EnvelopeCase {0.0, 1.0f}, EnvelopeCase {10472.0, 20.0f},
        EnvelopeCase {100000.0, 20.0f}, EnvelopeCase {100000.0, std::nextafter(20.0f, 21.0f)},
        EnvelopeCase {std::nextafter(100000.0, 1e6), 20.0f}, EnvelopeCase {99999.5, 19.9f},
        EnvelopeCase {100001.0, 5.0f}, EnvelopeCase {50.0, 20.5f}, EnvelopeCase {1e9, 99.0f}));

TEST(Retention, MissionMustAddUpToTheLifetime)
{
    RetentionResult result;
    result.ProfileName = "kept";
    std::string error;
    EXPECT_FALSE(
        CheckRetention(EepromEmulation(), 5000.0, 20.0f, Mission("14@30,5@50"), result, error));
    EXPECT_EQ(error, "The mission adds up to 19 years, but the lifetime is 20 years.");
    EXPECT_EQ(result.ProfileName, "kept");
    EXPECT_FALSE(
        CheckRetention(EepromEmulation(), 5000.0, 7.3f, Mission("5.3@30,2.001@50"), result, error));
    EXPECT_EQ(error, "The mission adds up to 7.301 years, but the lifetime is 7.3 years.");
    // A single-precision lifetime matches the decimal years it was typed as.
    EXPECT_TRUE(
        CheckRetention(EepromEmulation(), 5000.0, 7.3f, Mission("5.3@30,2@50"), result, error))
        << error;
}

TEST(Retention, ProfileWithoutActivationEnergyKeepsToItsReferenceTemperature)
{
    RetentionResult result;
    std::string error;
    EXPECT_FALSE(CheckRetention(Envelope(), 5000.0, 20.0f, Mission("14@55,6@60"), result, error));
    EXPECT_EQ(error,
        "Device profile \"Envelope 100k cycles / 20 years\" gives no activation energy, so its "
        "retention is known only at 55 °C; the mission asks for 60 °C.");
    ASSERT_TRUE(CheckRetention(Envelope(), 5000.0, 20.0f, Mission("14@55,6@55"), result, error));
    EXPECT_TRUE(result.InSpec);
    EXPECT_EQ(result.Consumed, 1.0);
}

TEST(Retention, UnusableNumbersAreRefused)
{
    RetentionResult result;
    std::string error;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(CheckRetention(Envelope(), -1.0, 20.0f, {}, result, error));
    EXPECT_EQ(error, "The flash cycles per block must be a number of 0 or more.");
    EXPECT_FALSE(CheckRetention(Envelope(), nan, 20.0f, {}, result, error));
    EXPECT_FALSE(CheckRetention(Envelope(), 1.0, 0.0f, {}, result, error));
    EXPECT_EQ(error, "The lifetime must be a number of years above 0.");
    EXPECT_FALSE(CheckRetention(Envelope(), 1.0, static_cast<float>(nan), {}, result, error));
    // A mission built without ParseMission (the window's table) is checked too.
    EXPECT_FALSE(CheckRetention(EepromEmulation(), 1.0, 20.0f, {{20.0, 500.0}}, result, error));
    EXPECT_EQ(error, "Mission segment 1: the temperature must be a number from -100 to 300 °C.");
}

// ---- Profiles ----

struct ProblemCase
{
    std::string Name;
    void (*Spoil)(DeviceProfile&);
    std::string Problem;
};

class ProfileProblems : public testing::TestWithParam<ProblemCase>
{ };

TEST_P(ProfileProblems, AreNamed)
{
    DeviceProfile profile = EepromEmulation();
    GetParam().Spoil(profile);
    EXPECT_EQ(ProfileProblem(profile), GetParam().Problem);
    RetentionResult result;
    std::string error;
    EXPECT_FALSE(CheckRetention(profile, 1.0, 20.0f, {}, result, error));
    EXPECT_EQ(error, "Device profile \"" + profile.Name + "\" " + GetParam().Problem + ".");
}

INSTANTIATE_TEST_SUITE_P(Retention, ProfileProblems,
    testing::Values(ProblemCase {"NoName", [](DeviceProfile& p) { p.Name = " "; }, "has no name"},
        ProblemCase {"NoEndurance", [](DeviceProfile& p) { p.EnduranceCycles = 0; },
            "has an endurance outside 1 to 1000000000 cycles"},
        ProblemCase {"HotReference", [](DeviceProfile& p) { p.ReferenceCelsius = 301.0; },
            "has a reference temperature outside -100 to 300 °C"},
        ProblemCase {"ZeroEa", [](DeviceProfile& p) { p.ActivationEnergyEv = 0.0; },
            "has an activation energy outside 0 to 3 eV"},
        ProblemCase {
            "NoTiers", [](DeviceProfile& p) { p.Tiers.clear(); }, "has no retention tiers"},
        ProblemCase {"Descending", [](DeviceProfile& p) { std::swap(p.Tiers[0], p.Tiers[1]); },
            "lists its tiers out of ascending cycles (10000 after 100000)"},
        ProblemCase {"Repeated", [](DeviceProfile& p) { p.Tiers[1].MaxCycles = 10000; },
            "lists its tiers out of ascending cycles (10000 after 10000)"},
        ProblemCase {"ZeroYears", [](DeviceProfile& p) { p.Tiers[0].Years = 0.0; },
            "has a tier whose years are outside 0 to 1000"}),
    [](const testing::TestParamInfo<ProblemCase>& info) { return info.param.Name; });

TEST(Retention, ProfilesAreFoundByNameWhateverTheLetterCase)
{
    const std::vector<DeviceProfile> profiles {Envelope(), EepromEmulation()};
    EXPECT_EQ(FindProfile(profiles, "eeprom EMULATION, 55 °C"), &profiles[1]);
    EXPECT_EQ(FindProfile(profiles, " Envelope 100k cycles / 20 years "), &profiles[0]);
    EXPECT_EQ(FindProfile(profiles, "EEPROM emulation"), nullptr);
}

} // namespace
} // namespace eee
