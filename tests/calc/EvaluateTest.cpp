// Evaluate(): every number of one configuration, with the chart's in-spec years.
#include "calc/Evaluate.h"
#include "calc/BlockSize.h"
#include "chart/ChartModel.h"

#include "tests/support/EngineConfigs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace eee {
namespace {

EvalConfig WorkedExample()
{
    return testing_support::WorkedExampleConfig();
}

TEST(Evaluate, WorkedExampleGivesEveryNumber)
{
    const EvalResult r = Evaluate(WorkedExample());
    EXPECT_EQ(r.RecordOverhead[0], 32);
    EXPECT_EQ(r.TotalUserDataBytes, 4096);
    EXPECT_EQ(r.TotalOverhead, 48 + 256);
    EXPECT_EQ(r.TotalBytes, 4400);
    EXPECT_EQ(r.FlashUsedBytes, 32768);
    EXPECT_TRUE(r.Fits);
    EXPECT_FALSE(r.NegativeRoom);
    EXPECT_EQ(r.BlockHeaders, 96);
    EXPECT_EQ(r.Terms[0].HeldBytes, 4352);
    EXPECT_EQ(r.Terms[0].WrittenBytes, 317696000.0);
    EXPECT_EQ(r.Terms[0].FirstTerm, 9724.0);
    EXPECT_EQ(r.Terms[0].SecondTerm, 11219.0);
    EXPECT_EQ(r.FlashCycles, 10472.0);
    EXPECT_EQ(r.LifetimeUpdates, 299008000.0);
    EXPECT_EQ(r.MaxUpdateRequirement, 73000.0);
    EXPECT_DOUBLE_EQ(r.RefreshIntervalDays, 7300.0 / 10472.0);
    EXPECT_TRUE(r.InSpec);

    const ResultTexts texts = MakeResultTexts(r);
    EXPECT_EQ(texts.LifetimeUpdates, "299,008,000");
    EXPECT_EQ(texts.RefreshInterval, "0.69709702");
    EXPECT_EQ(texts.FlashCycles, "10472");
    EXPECT_EQ(texts.FlashUsed, "Flash used for EEPROM emulation: 32 KB");
    EXPECT_EQ(
        MakeVerdict(WorkedExample(), r).First, "Application InSpec for Lifetime and Endurance");
}

// Each quotient is rounded to double before it is rounded up, as the estimate keeps it;
// rounding the extended quotient up instead gives one cycle more here.
TEST(Evaluate, QuotientsAreRoundedToDoubleBeforeCeiling)
{
    EvalConfig config;
    config.Scheme = "ECC16 Var-Length";
    config.RecordAlignment = 16;
    config.LifeTime = 13.7f;
    config.BlockCount = 6;
    config.BlockBytes.fill(BlockSizeBytes("x20000"));
    config.CustomOverhead = true;
    config.BlockOverhead = 0;
    config.DataTypeCount = 1;
    config.DataTypes[0] = {680, 91608703, 55, true, 2};
    EXPECT_EQ(Evaluate(config).FlashCycles, 22396388282.0);
}

TEST(Evaluate, InSpecYearsAreThoseOfTheWindowsChart)
{
    for (const float lifeTime : {0.5f, 5.0f, 13.7f, 20.0f, 20.5f, 35.0f, 99.0f}) {
        for (const int64_t updates : {1, 10, 100, 1000, 10000}) {
            EvalConfig config = WorkedExample();
            config.LifeTime = lifeTime;
            config.DataTypes[0].Updates = updates;
            const EvalResult r = Evaluate(config);

            ChartScales chart;
            chart.LifetimeLimit = kLifetimeLimit;
            chart.CyclesLimit = kCyclesLimit;
            chart.SetOperatingPoint(lifeTime, r.FlashCycles);
            const ChartLayout layout = LayoutChart(chart, kChartWidth, kChartHeight);
            EXPECT_EQ(r.InSpecYears, layout.InSpecYears) << lifeTime << " " << updates;
            EXPECT_EQ(r.InSpec, !layout.OutOfSpec) << lifeTime << " " << updates;
            EXPECT_EQ(r.InSpec, MakeVerdict(config, r).Second.empty());
        }
    }
}

TEST(Evaluate, SumsAreTheSumsOfTheTerms)
{
    EvalConfig config = WorkedExample();
    config.BlockCount = 6;
    config.BlockBytes.fill(65536);
    config.DataTypeCount = 6;
    for (int i = 0; i < kMaxDataTypes; ++i)
        config.DataTypes[i] = {16 << i, 10 * (i + 1), 8, i % 2 == 1, 0};
    const EvalResult r = Evaluate(config);
    double first = 0.0, second = 0.0;
    for (int i = 0; i < kMaxDataTypes; ++i) {
        first += r.Terms[i].FirstTerm;
        second += r.Terms[i].SecondTerm;
        EXPECT_EQ(r.Terms[i].RoomBesideOthers - r.Terms[i].RoomLeft, r.Terms[i].HeldBytes);
    }
    EXPECT_EQ(r.FirstSum, first);
    EXPECT_EQ(r.SecondSum, second);
    EXPECT_EQ(r.FlashCycles, std::ceil((first + second) * 0.5));
}

TEST(Evaluate, DataThatDoesNotFitStillHasItsSizes)
{
    // Each block must hold all the data; together the two blocks have room for it,
    // so the estimate exists though the fit check fails.
    EvalConfig config = WorkedExample();
    config.BlockBytes = {4096, 4096};
    EvalResult r = Evaluate(config);
    EXPECT_FALSE(r.Fits);
    EXPECT_FALSE(r.NegativeRoom);
    EXPECT_EQ(r.TotalBytes, 4400);

    // Not even all the blocks together hold it: no estimate.
    config.BlockBytes = {2048, 2048};
    r = Evaluate(config);
    EXPECT_FALSE(r.Fits);
    EXPECT_TRUE(r.NegativeRoom);
    EXPECT_EQ(r.TotalBytes, 4400);
    EXPECT_EQ(r.FlashCycles, 0.0);

    // The same data in three blocks: each pair holds it, the estimate exists.
    config.BlockCount = 3;
    config.BlockBytes = {4096, 4096, 4096};
    r = Evaluate(config);
    EXPECT_TRUE(r.Fits);
    EXPECT_FALSE(r.NegativeRoom);
    EXPECT_GT(r.FlashCycles, 0.0);
}

} // namespace
} // namespace eee
