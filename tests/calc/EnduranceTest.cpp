// Flash cycle estimate, lifetime updates, refresh interval and the verdict texts.
#include "tests/support/InputAdapters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace eee {
namespace {

// One data type of 512 bytes x 8 records, 10 updates a day for 20 years, in two blocks
// under ECC16 Var-Length with 16-byte alignment (record overhead 32).
CalcInputs OneDailyDataType()
{
    CalcInputs in;
    in.Scheme = "ECC16 Var-Length";
    in.RecordAlignment = 16;
    in.LifeTime = 20.0f;
    in.BlocksSelected = 2;
    in.DataTypeCount = 1;
    in.DataSize[0] = 512;
    in.Records[0] = 8;
    in.Updates[0] = 10;
    in.Frequency[0] = 1;
    in.RecordOverhead[0] = 32;
    return in;
}

// The six initial data types, every second one daily, in six blocks of 64 KB.
CalcInputs SixMixedDataTypes()
{
    CalcInputs in;
    in.Scheme = "ECC16 Var-Length";
    in.RecordAlignment = 16;
    in.BlocksSelected = 6;
    in.Frequency = {0, 1, 0, 1, 0, 1};
    in.RecordOverhead.fill(32);
    return in;
}

struct CyclesCase
{
    std::string Name;
    std::function<void(CalcInputs&)> Set;
    int64_t FlashUsed;
    float LifeTime;
    double Cycles;
    bool NegativeRoom;
};

class EstimateFlashCyclesCase : public testing::TestWithParam<CyclesCase>
{ };

TEST_P(EstimateFlashCyclesCase, AveragesTheTwoSums)
{
    const CyclesCase& c = GetParam();
    CalcInputs in = OneDailyDataType();
    c.Set(in);
    FlashCycleEstimate estimate = EstimateFlashCycles(in, c.FlashUsed, c.LifeTime);
    EXPECT_EQ(estimate.NegativeRoom, c.NegativeRoom);
    if (!c.NegativeRoom) {
        EXPECT_EQ(estimate.Cycles, c.Cycles);
    }
}

INSTANTIATE_TEST_SUITE_P(Cycles, EstimateFlashCyclesCase,
    testing::Values(CyclesCase {"WorkedExample", [](CalcInputs&) {}, 32768, 20.0f, 10472, false},
        CyclesCase {"LifetimeFromArgument", [](CalcInputs& in) { in.LifeTime = 99.0f; }, 32768,
            20.0f, 10472, false},
        CyclesCase {"OneAndHalfYears", [](CalcInputs&) {}, 32768, 1.5f, 786, false},
        CyclesCase {"TenthOfAYear", [](CalcInputs&) {}, 32768, 0.1f, 53, false},
        CyclesCase {"TotalUpdates",
            [](CalcInputs& in) {
                in.Frequency[0] = 0;
                in.Updates[0] = 1000;
            },
            32768, 20.0f, 144, false},
        CyclesCase {"HeadersOfEveryBlock", [](CalcInputs& in) { in.BlocksSelected = 3; }, 49152,
            20.0f, 6799, false},
        CyclesCase {"CustomizedBlockOverheadZero",
            [](CalcInputs& in) {
                in.CusOverheadEn = true;
                in.BlockOverhead = 0;
                in.RecordOverhead[0] = 0;
            },
            32768, 20.0f, 9777, false},
        CyclesCase {"CustomizedBlockOverhead",
            [](CalcInputs& in) {
                in.CusOverheadEn = true;
                in.BlockOverhead = 1000;
                in.RecordOverhead[0] = 0;
            },
            32768, 20.0f, 10465, false},
        CyclesCase {"SixDataTypes", [](CalcInputs& in) { in = SixMixedDataTypes(); }, 6 * 65536,
            20.0f, 2195, false},
        CyclesCase {"SixDataTypesFractionalLifetime",
            [](CalcInputs& in) { in = SixMixedDataTypes(); }, 6 * 65536, 7.3f, 804, false},
        // The data fills the blocks but for the block headers: the second sum is skipped.
        CyclesCase {"NoFreeRoomLeft",
            [](CalcInputs& in) {
                in.Frequency[0] = 0;
                in.Updates[0] = 1000;
                in.DataSize[0] = 12;
                in.Records[0] = 1021;
                in.RecordOverhead[0] = 20;
            },
            32768, 20.0f, 500, false},
        // Data type 1 takes no room, so the others fill the flash without it (O_1 = T):
        // its term is left out of the first sum.
        CyclesCase {"OtherDataFillsTheFlash",
            [](CalcInputs& in) {
                in.Scheme = "ECC64 Var-Length";
                in.RecordAlignment = 1;
                in.DataTypeCount = 2;
                in.DataSize = {1, 3278, 1, 1, 1, 1};
                in.Records = {8, 10, 1, 1, 1, 1};
                in.RecordOverhead = {-1, -1, 0, 0, 0, 0};
                in.Updates = {10, 100, 1, 1, 1, 1};
                in.Frequency = {0, 0, 0, 0, 0, 0};
            },
            32768, 20.0f, 50, false},
        CyclesCase {"NothingWritten",
            [](CalcInputs& in) {
                in.Scheme = "ECC64 Var-Length";
                in.DataSize[0] = 1;
                in.RecordOverhead[0] = -1;
                in.Frequency[0] = 0;
            },
            32768, 20.0f, 0, false},
        CyclesCase {"DataLargerThanBlocks", [](CalcInputs& in) { in.DataSize[0] = 4096; }, 32768,
            20.0f, 0, true},
        CyclesCase {"BlockHeadersLargerThanBlocks",
            [](CalcInputs& in) {
                in.CusOverheadEn = true;
                in.BlockOverhead = 20000;
                in.RecordOverhead[0] = 0;
            },
            32768, 20.0f, 0, true}),
    [](const testing::TestParamInfo<CyclesCase>& info) { return info.param.Name; });

struct EnduranceCase
{
    std::string Name;
    std::function<void(CalcInputs&)> Set;
    int64_t FlashUsed;
    double LifetimeUpdates;
    std::string LifetimeUpdatesText;
    double MaxUpdates;
    double Cycles;
    std::string RefreshText;
};

class ComputeEnduranceCase : public testing::TestWithParam<EnduranceCase>
{ };

TEST_P(ComputeEnduranceCase, GivesResultsAndTexts)
{
    const EnduranceCase& c = GetParam();
    CalcInputs in = OneDailyDataType();
    c.Set(in);
    CalcResults out;
    ComputeSizes(in, out);
    out.FlashUsedBytes = c.FlashUsed;
    EnduranceTexts texts;

    ASSERT_TRUE(ComputeEndurance(in, out, texts));
    EXPECT_DOUBLE_EQ(out.LifetimeUpdates, c.LifetimeUpdates);
    EXPECT_EQ(texts.LifetimeUpdates, c.LifetimeUpdatesText);
    EXPECT_DOUBLE_EQ(out.MaxUpdateRequirement, c.MaxUpdates);
    EXPECT_EQ(out.FlashCycles, c.Cycles);
    EXPECT_EQ(out.FlashCycles, EstimateFlashCycles(in, c.FlashUsed, in.LifeTime).Cycles);
    EXPECT_TRUE(texts.RefreshComputed);
    EXPECT_EQ(texts.RefreshInterval, c.RefreshText);
    EXPECT_DOUBLE_EQ(out.RefreshIntervalDays, in.LifeTime * 365.0 / c.Cycles);
}

INSTANTIATE_TEST_SUITE_P(Endurance, ComputeEnduranceCase,
    testing::Values(EnduranceCase {"WorkedExample", [](CalcInputs&) {}, 32768, 299008000.0,
                        "299,008,000", 73000.0, 10472, "0.69709702"},
        // The maximum is the largest update count, whatever the data sizes.
        EnduranceCase {"ThreeTotalDataTypes",
            [](CalcInputs& in) {
                in.Scheme = "ECC8 Var-Length";
                in.RecordAlignment = 4;
                in.DataTypeCount = 3;
                in.DataSize = {100, 200, 300, 4096, 4096, 4096};
                in.Updates = {5, 50, 7, 999999, 999999, 999999};
                in.Records = {2, 3, 4, 30000, 30000, 30000};
                in.Frequency = {0, 0, 0, 1, 1, 1};
            },
            32768, 39400.0, "39,400", 50.0, 4, "1.825000e+003"},
        // A daily count of 10 over 1.5 years adds 5475 to the list of update counts.
        EnduranceCase {"DailyOverOneAndHalfYears",
            [](CalcInputs& in) {
                in.Scheme = "ECC8 Var-Length";
                in.RecordAlignment = 4;
                in.LifeTime = 1.5f;
                in.DataTypeCount = 2;
                in.DataSize = {64, 32, 1, 1, 1, 1};
                in.Records = {4, 4, 1, 1, 1, 1};
                in.Updates = {10, 5000, 1, 1, 1, 1};
                in.Frequency = {1, 0, 0, 0, 0, 0};
            },
            32768, 2041600.0, "2,041,600", 5475.0, 80, "6.84375000"},
        EnduranceCase {"FewUpdates",
            [](CalcInputs& in) {
                in.DataSize[0] = 10;
                in.Updates[0] = 5;
                in.Frequency[0] = 0;
            },
            32768, 400.0, "400", 5.0, 1, "7.300000e+003"},
        EnduranceCase {"SixDataTypes", [](CalcInputs& in) { in = SixMixedDataTypes(); }, 6 * 65536,
            542036480.0, "542,036,480", 730000.0, 2195, "3.32574032"},
        EnduranceCase {"SixDataTypesFractionalLifetime",
            [](CalcInputs& in) {
                in = SixMixedDataTypes();
                in.LifeTime = 7.3f;
            },
            6 * 65536, 84480.0 + 74240.0 * 365.0 * static_cast<double>(7.3f), "197,896,965",
            36500.0 * static_cast<double>(7.3f), 804, "3.31405481"}),
    [](const testing::TestParamInfo<EnduranceCase>& info) { return info.param.Name; });

TEST(ComputeEndurance, ZeroCyclesKeepTheRefreshInterval)
{
    CalcInputs in = OneDailyDataType();
    in.Scheme = "ECC64 Var-Length"; // unknown: overheads of -1
    in.DataSize[0] = 1;
    in.Frequency[0] = 0;
    CalcResults out;
    ComputeSizes(in, out);
    ASSERT_EQ(in.RecordOverhead[0], -1);
    out.FlashUsedBytes = 32768;
    out.FlashCycles = 123.0;
    out.RefreshIntervalDays = 12.5;
    EnduranceTexts texts;

    ASSERT_TRUE(ComputeEndurance(in, out, texts));
    EXPECT_EQ(out.FlashCycles, 0.0);
    EXPECT_EQ(out.RefreshIntervalDays, 12.5);
    EXPECT_FALSE(texts.RefreshComputed);
    EXPECT_TRUE(texts.RefreshInterval.empty());
    EXPECT_EQ(out.LifetimeUpdates, 80.0);
    EXPECT_EQ(texts.LifetimeUpdates, "80");
    EXPECT_EQ(out.MaxUpdateRequirement, 10.0);
}

struct NoRoomCase
{
    std::string Name;
    std::function<void(CalcInputs&)> Set;
};

class ComputeEnduranceNoRoom : public testing::TestWithParam<NoRoomCase>
{ };

TEST_P(ComputeEnduranceNoRoom, ReportsDataThatDoesNotFitAndChangesNothing)
{
    CalcInputs in = OneDailyDataType();
    GetParam().Set(in);
    CalcResults out;
    ComputeSizes(in, out);
    out.FlashUsedBytes = 32768;
    out.LifetimeUpdates = 1.0;
    out.MaxUpdateRequirement = 2.0;
    out.FlashCycles = 3.0;
    out.RefreshIntervalDays = 4.0;
    const CalcResults before = out;
    EnduranceTexts texts;
    texts.LifetimeUpdates = "old updates";
    texts.RefreshInterval = "old interval";

    EXPECT_FALSE(ComputeEndurance(in, out, texts));
    EXPECT_EQ(out.TotalBytes, before.TotalBytes);
    EXPECT_EQ(out.FlashUsedBytes, before.FlashUsedBytes);
    EXPECT_EQ(out.LifetimeUpdates, before.LifetimeUpdates);
    EXPECT_EQ(out.MaxUpdateRequirement, before.MaxUpdateRequirement);
    EXPECT_EQ(out.FlashCycles, before.FlashCycles);
    EXPECT_EQ(out.RefreshIntervalDays, before.RefreshIntervalDays);
    EXPECT_EQ(texts.LifetimeUpdates, "old updates");
    EXPECT_EQ(texts.RefreshInterval, "old interval");
}

INSTANTIATE_TEST_SUITE_P(NoRoom, ComputeEnduranceNoRoom,
    testing::Values(
        NoRoomCase {"DataLargerThanBlocks", [](CalcInputs& in) { in.DataSize[0] = 4096; }},
        NoRoomCase {"LargeCustomizedBlockOverhead",
            [](CalcInputs& in) {
                in.CusOverheadEn = true;
                in.BlockOverhead = 20000;
            }}),
    [](const testing::TestParamInfo<NoRoomCase>& info) { return info.param.Name; });

struct VerdictCase
{
    std::string Name;
    float LifeTime;
    double Cycles;
    int Limit;
    float InSpecYears;
    VerdictTexts Expected;
};

class MakeVerdictCase : public testing::TestWithParam<VerdictCase>
{ };

TEST_P(MakeVerdictCase, WritesTheThreeLines)
{
    const VerdictCase& c = GetParam();
    VerdictTexts texts = MakeVerdict(c.LifeTime, c.Cycles, c.Limit, c.InSpecYears);
    EXPECT_EQ(texts.First, c.Expected.First);
    EXPECT_EQ(texts.Second, c.Expected.Second);
    EXPECT_EQ(texts.Lifetime, c.Expected.Lifetime);
}

const std::string kInSpec = "Application InSpec for Lifetime and Endurance";
const std::string kCyclingOk = "Cycling requirement is within specification";
const std::string kRecommend = "Recommended:increase number of flash blocks for EEE or reduce the "
                               "number of updates to EE data";
const std::string kLifetimeExceeds = "Application lifetime exceeds 20.0 years specification";

INSTANTIATE_TEST_SUITE_P(Verdicts, MakeVerdictCase,
    testing::Values(VerdictCase {"AtBothLimits", 20.0f, 100000.0, 100000, 20.0f, {kInSpec, "", ""}},
        VerdictCase {"WorkedExample", 20.0f, 10472.0, 100000, 20.0f, {kInSpec, "", ""}},
        VerdictCase {"HigherLimitGiven", 10.0f, 150000.0, 200000, 10.0f, {kInSpec, "", ""}},
        VerdictCase {"LifetimeBeyondLimit", 20.5f, 50000.0, 100000, 20.0f,
            {" - In spec for first 20.0 years. Out of spec for last 0.5 years", kCyclingOk,
                kLifetimeExceeds}},
        VerdictCase {"LifetimeBeyondLimitAtCyclesLimit", 25.0f, 100000.0, 100000, 20.0f,
            {" - In spec for first 20.0 years. Out of spec for last 5.0 years", kCyclingOk,
                kLifetimeExceeds}},
        VerdictCase {"CyclesBeyondLimit", 10.0f, 100001.0, 100000, 5.0f,
            {" - In spec for first 5.0 years. Out of spec for last 5.0 years", kRecommend, ""}},
        VerdictCase {"CyclesFractionBeyondLimit", 10.0f, 100000.5, 100000, 9.9f,
            {" - In spec for first 9.9 years. Out of spec for last 0.1 years", kRecommend, ""}},
        VerdictCase {"BothBeyondLimits", 30.0f, 300000.0, 100000, 10.09f,
            {" - In spec for first 10.1 years. Out of spec for last 19.9 years", kRecommend,
                kLifetimeExceeds}},
        VerdictCase {"InSpecYearsRounded", 10.0f, 200000.0, 100000, 8.3f,
            {" - In spec for first 8.3 years. Out of spec for last 1.7 years", kRecommend, ""}}),
    [](const testing::TestParamInfo<VerdictCase>& info) { return info.param.Name; });

} // namespace
} // namespace eee
