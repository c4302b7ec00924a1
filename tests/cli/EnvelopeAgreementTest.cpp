// The delivered envelope profile gives the calculator's own verdict on every
// sample session: the retention check in spec exactly when the evaluation is.
#include "calc/Retention.h"
#include "cli/Calculator.h"
#include "files/DeviceProfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace eee::test {
namespace {

constexpr const char* kEnvelope = "Envelope 100k cycles / 20 years";
constexpr const char* kInSpecLine = "Application InSpec for Lifetime and Endurance";

std::vector<std::string> SessionFiles()
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(EEE_SESSIONS_DIR)) {
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

DeviceProfile DeliveredEnvelope()
{
    FileAccess files;
    const ProfileList list = LoadProfileList(files, "", OwnFileUse::IfPresent);
    EXPECT_EQ(ProfileListProblems(list), "");
    const DeviceProfile* envelope = FindProfile(list.Profiles, kEnvelope);
    return envelope ? *envelope : DeviceProfile {};
}

class EnvelopeAgreementTest : public ::testing::TestWithParam<std::string>
{ };

TEST_P(EnvelopeAgreementTest, RetentionVerdictIsTheCalculatorsVerdict)
{
    Calculator calculator;
    const Evaluation e = calculator.Evaluate(std::string(EEE_SESSIONS_DIR) + "/" + GetParam());
    ASSERT_TRUE(e.Ok) << e.Error;
    RetentionResult result;
    std::string error;
    ASSERT_TRUE(CheckRetention(DeliveredEnvelope(), e.FlashCycles, e.LifeTime, {}, result, error))
        << error;
    EXPECT_EQ(result.InSpec, e.Result.InSpec) << result.Note;
    EXPECT_EQ(result.InSpec, e.Verdict[0] == kInSpecLine) << e.Verdict[0];
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, EnvelopeAgreementTest, ::testing::ValuesIn(SessionFiles()), [](const auto& info) {
        std::string name = info.param.substr(0, info.param.size() - 4);
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

// The agreement means something only if the samples hold both verdicts.
TEST(EnvelopeAgreementSamples, HoldFilesInAndOutOfSpec)
{
    Calculator calculator;
    int inSpec = 0;
    int outOfSpec = 0;
    for (const std::string& file : SessionFiles()) {
        const Evaluation e = calculator.Evaluate(std::string(EEE_SESSIONS_DIR) + "/" + file);
        (e.Result.InSpec ? inSpec : outOfSpec) += 1;
    }
    EXPECT_GE(inSpec, 5);
    EXPECT_GE(outOfSpec, 5);
}

} // namespace
} // namespace eee::test
