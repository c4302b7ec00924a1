// Sweeps: reading the request, the values it stands for, and each point evaluated alone.
#include "calc/Sweep.h"

#include "calc/Compute.h"

#include "tests/support/EngineConfigs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace eee {
namespace {

EvalConfig WorkedExample()
{
    return testing_support::WorkedExampleConfig();
}

const std::vector<CatalogueBlock> kBlocks {
    {"x4000", 0x4000}, {"x8000", 0x8000}, {"x10000", 0x10000}, {"x20000", 0x20000}};

std::vector<std::string> Texts(const std::string& vary)
{
    std::string error;
    const std::optional<SweepRequest> request = ParseSweep(vary, error);
    EXPECT_TRUE(request) << error;
    if (!request)
        return {};
    const auto values = SweepValues(*request, WorkedExample(), kBlocks, error);
    EXPECT_TRUE(values) << error;
    std::vector<std::string> texts;
    for (const SweepValue& value : values.value_or(std::vector<SweepValue> {}))
        texts.push_back(value.Text);
    return texts;
}

TEST(SweepValuesTest, StepAddsOrMultipliesFromTheStartWhileNotAboveTheEnd)
{
    EXPECT_EQ(Texts("lifetime=5:20:5"), (std::vector<std::string> {"5", "10", "15", "20"}));
    EXPECT_EQ(
        Texts("lifetime=1:2:0.25"), (std::vector<std::string> {"1", "1.25", "1.5", "1.75", "2"}));
    // Ten steps of 0.1 land on 2 however the additions round.
    EXPECT_EQ(Texts("lifetime=1:2:0.1").size(), 11u);
    EXPECT_EQ(Texts("updates:1=10:100000:*10"),
        (std::vector<std::string> {"10", "100", "1000", "10000", "100000"}));
    EXPECT_EQ(Texts("records:1=3:9:4"), (std::vector<std::string> {"3", "7"}));
    EXPECT_EQ(Texts("blocks=2:4"), (std::vector<std::string> {"2", "3", "4"}));
    EXPECT_EQ(
        Texts("blocksize=X8000:x20000"), (std::vector<std::string> {"x8000", "x10000", "x20000"}));
    EXPECT_EQ(Texts("blocksize=x4000:x20000:2"), (std::vector<std::string> {"x4000", "x10000"}));
}

struct BadSweep
{
    const char* Vary;
    const char* Reason; // a part of the message
};

class RefusedSweep : public testing::TestWithParam<BadSweep>
{ };

TEST_P(RefusedSweep, SaysWhy)
{
    std::string error;
    const std::optional<SweepRequest> request = ParseSweep(GetParam().Vary, error);
    if (request)
        EXPECT_FALSE(SweepValues(*request, WorkedExample(), kBlocks, error));
    EXPECT_NE(error.find(GetParam().Reason), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(Sweeps, RefusedSweep,
    testing::Values(BadSweep {"temperature=1:2", "unknown parameter 'temperature'"},
        BadSweep {"lifetime:1=1:2", "takes no data type"},
        BadSweep {"updates=1:2", "needs the number of its data type"},
        BadSweep {"updates:2=1:2", "data type 2 does not exist: the session has 1"},
        BadSweep {"lifetime=1", "FROM:TO"}, BadSweep {"lifetime=1:2:0", "must be a number above 0"},
        BadSweep {"updates:1=1:2:*1", "must be a number above 0, or * and a number above 1"},
        BadSweep {"records:1=1.5:3", "whole numbers"},
        BadSweep {"updates:1=1:10001", "more than 10000 points"},
        BadSweep {"lifetime=5:1", "no value lies between 5 and 1"},
        BadSweep {"updates:1=0:10:*2", "needs a start above 0"},
        BadSweep {"lifetime=1e300:2e300", "is too small to change"},
        BadSweep {"blocksize=x4000:x7", "x7 is not one of them"}));

TEST(RunSweepTest, EachPointIsTheEvaluationOfTheChangedConfiguration)
{
    std::string error;
    const SweepRequest request = *ParseSweep("updates:1=1:200:7", error);
    const std::vector<SweepValue> values = *SweepValues(request, WorkedExample(), kBlocks, error);
    const std::vector<SweepPoint> points = RunSweep(request, WorkedExample(), values);
    ASSERT_EQ(points.size(), values.size());
    for (const SweepPoint& point : points) {
        EvalConfig changed = WorkedExample();
        changed.DataTypes[0].Updates = static_cast<int64_t>(point.Value.Number);
        const EvalResult expected = Evaluate(changed);
        ASSERT_TRUE(point.Ok) << point.Value.Text;
        EXPECT_EQ(point.Result.FlashCycles, expected.FlashCycles) << point.Value.Text;
        EXPECT_EQ(point.Result.InSpecYears, expected.InSpecYears) << point.Value.Text;
        EXPECT_EQ(point.Result.LifetimeUpdates, expected.LifetimeUpdates) << point.Value.Text;
    }
    // 10 daily updates give the worked example's 10472 cycles.
    EXPECT_EQ(points[1].Value.Number, 8.0);
}

struct PointCase
{
    const char* Vary;
    std::vector<std::string> Errors; // per point; empty for an accepted one
};

class SweepPointRules : public testing::TestWithParam<PointCase>
{ };

// A refused value is a point of the sweep with the message a session holding it gets.
TEST_P(SweepPointRules, RefuseValuesAsASessionWouldBe)
{
    std::string error;
    const SweepRequest request = *ParseSweep(GetParam().Vary, error);
    const auto values = *SweepValues(request, WorkedExample(), kBlocks, error);
    std::vector<std::string> errors;
    for (const SweepPoint& point : RunSweep(request, WorkedExample(), values)) {
        EXPECT_EQ(point.Ok, point.Error.empty());
        errors.push_back(point.Error);
    }
    EXPECT_EQ(errors, GetParam().Errors);
}

const std::string kTooSmall = kMsgBlocksTooSmall;

INSTANTIATE_TEST_SUITE_P(Rules, SweepPointRules,
    testing::Values(PointCase {"lifetime=0.05:1.5:0.45",
                        {"Invalid Life time. Please select a value between 0.1 and 99, both "
                         "inclusive",
                            "Please enter a number between 1 and 99.",
                            "Please enter a number between 1 and 99.", ""}},
        PointCase {"lifetime=1e31:1e31:1e31",
            {"Invalid Life time. Please select a value between 0.1 and 99, both inclusive"}},
        PointCase {"lifetime=99:100",
            {"", "Invalid Life time. Please select a value between 0.1 and 99, both inclusive"}},
        PointCase {"blocks=1:7:3",
            {"Invalid number of blocks. Please select a value between 2 and 6, both inclusive", "",
                "Invalid number of blocks. Please select a value between 2 and 6, both "
                "inclusive"}},
        PointCase {"records:1=0:30001:30001",
            {"Please enter an integer between 1 and 30000.",
                "Please enter an integer between 1 and 30000."}},
        PointCase {"records:1=8:38:30", {"", kTooSmall}},
        PointCase {"size:1=4096:4097", {kTooSmall, "Please enter an integer between 1 and 4096."}},
        PointCase {"updates:1=100000000:100000001",
            {"", "Please enter an integer between 1 and 100000000."}}),
    [](const testing::TestParamInfo<PointCase>& info) { return std::to_string(info.index); });

TEST(RunSweepTest, AddedBlocksTakeTheLastBlocksSize)
{
    EvalConfig base = WorkedExample();
    base.BlockBytes = {0x4000, 0x8000};
    std::string error;
    const SweepRequest request = *ParseSweep("blocks=2:4", error);
    const auto points = RunSweep(request, base, *SweepValues(request, base, kBlocks, error));
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[2].Config.BlockCount, 4);
    EXPECT_EQ(points[2].Result.FlashUsedBytes, 0x4000 + 3 * 0x8000);
}

} // namespace
} // namespace eee
