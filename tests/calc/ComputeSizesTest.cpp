// Record overheads, the three totals and the block fit check.
#include "tests/support/InputAdapters.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace eee {
namespace {

struct SizesCase
{
    std::string Name;
    std::function<void(CalcInputs&)> Set;
    std::vector<int32_t> RecordOverhead; // of the data types in use
    int64_t UserBytes;
    int64_t Overhead;
    int64_t Total;
};

// One data type of 512 bytes x 8 records under ECC16 Var-Length with 16-byte alignment.
CalcInputs OneDataType()
{
    CalcInputs in;
    in.Scheme = "ECC16 Var-Length";
    in.RecordAlignment = 16;
    in.DataTypeCount = 1;
    in.DataSize[0] = 512;
    in.Records[0] = 8;
    return in;
}

class ComputeSizesCase : public testing::TestWithParam<SizesCase>
{ };

TEST_P(ComputeSizesCase, GivesOverheadsAndTotals)
{
    const SizesCase& c = GetParam();
    CalcInputs in = OneDataType();
    c.Set(in);
    CalcResults out;
    ComputeSizes(in, out);
    for (size_t i = 0; i < c.RecordOverhead.size(); ++i)
        EXPECT_EQ(in.RecordOverhead[i], c.RecordOverhead[i]) << "data type " << i;
    EXPECT_EQ(out.TotalUserDataBytes, c.UserBytes);
    EXPECT_EQ(out.TotalOverhead, c.Overhead);
    EXPECT_EQ(out.TotalBytes, c.Total);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ComputeSizesCase,
    testing::Values(SizesCase {"WorkedExample", [](CalcInputs&) {}, {32}, 4096, 304, 4400},
        SizesCase {"NoPaddingWhenAligned",
            [](CalcInputs& in) {
                in.DataSize[0] = 12; // 12 + 20 = 32
                in.Records[0] = 4;
            },
            {20}, 48, 128, 176},
        SizesCase {"FixedLengthScheme",
            [](CalcInputs& in) {
                in.Scheme = "ECC8 Fixed-Length";
                in.RecordAlignment = 4; // 512 + 10 = 522, padded to 524
            },
            {12}, 4096, 120, 4216},
        SizesCase {"AlignmentOne",
            [](CalcInputs& in) {
                in.Scheme = "ECC32 Var-Length";
                in.RecordAlignment = 1;
            },
            {36}, 4096, 96 + 36 * 8, 4096 + 96 + 36 * 8},
        SizesCase {"SixDataTypesEachPadded",
            [](CalcInputs& in) {
                in = CalcInputs {};
                in.Scheme = "ECC32 Var-Length";
                in.RecordAlignment = 32;
            },
            {64, 64, 64, 64, 64, 48}, 8064, 3040, 11104},
        SizesCase {"UnusedDataTypesAddNothing",
            [](CalcInputs& in) {
                for (int i = 1; i < kMaxDataTypes; ++i) {
                    in.DataSize[i] = 4096;
                    in.Records[i] = 30000;
                    in.CusOverhead[i] = 65536;
                    in.RecordOverhead[i] = 777;
                }
            },
            // The unused data types keep their record overheads.
            {32, 777, 777, 777, 777, 777}, 4096, 304, 4400},
        SizesCase {"CustomizedAllZero",
            [](CalcInputs& in) {
                in = CalcInputs {};
                in.Scheme = "ECC16 Var-Length";
                in.RecordAlignment = 16;
                in.CusOverheadEn = true;
            },
            {0, 0, 0, 0, 0, 0}, 8064, 0, 8064},
        SizesCase {"CustomizedWithoutPadding",
            [](CalcInputs& in) {
                in.DataTypeCount = 2;
                in.Records[1] = 8;
                in.CusOverheadEn = true;
                in.BlockOverhead = 100;
                in.CusOverhead = {5, 7, 1000, 1000, 1000, 1000};
            },
            {5, 7}, 4096 + 256 * 8, 100 + 5 * 8 + 7 * 8, 4096 + 2048 + 196},
        SizesCase {"CustomizedIgnoresScheme",
            [](CalcInputs& in) {
                in.Scheme = "no such scheme";
                in.CusOverheadEn = true;
                in.BlockOverhead = 48;
                in.CusOverhead[0] = 32;
            },
            {32}, 4096, 304, 4400},
        // An unknown scheme has overheads of -1; the computation goes on with them.
        SizesCase {"UnknownScheme", [](CalcInputs& in) { in.Scheme = "ecc16 var-length"; }, {0},
            4096, -1, 4095},
        SizesCase {"UnknownSchemeNoPadding",
            [](CalcInputs& in) {
                in.Scheme = "ECC64 Var-Length";
                in.DataSize[0] = 1;
            },
            {-1}, 8, -9, -1},
        // Totals beyond 32 bits are kept with their true value.
        SizesCase {"CustomizedOverheadsAtTheirLimits",
            [](CalcInputs& in) {
                in.DataTypeCount = 6;
                in.CusOverheadEn = true;
                in.BlockOverhead = 65536;
                in.CusOverhead.fill(65536);
                in.DataSize.fill(4096);
                in.Records.fill(30000);
            },
            {65536, 65536, 65536, 65536, 65536, 65536}, 737280000, 11796545536LL, 12533825536LL},
        SizesCase {"LargeAlignment",
            [](CalcInputs& in) {
                in.Scheme = "ECC32 Var-Length";
                in.RecordAlignment = 65536;
                in.DataTypeCount = 6;
                in.DataSize.fill(4096);
                in.Records.fill(30000);
            },
            {61440, 61440, 61440, 61440, 61440, 61440}, 737280000, 11059200096LL, 11796480096LL}),
    [](const testing::TestParamInfo<SizesCase>& info) { return info.param.Name; });

struct FitCase
{
    std::string Name;
    int64_t Total;
    std::array<int64_t, kMaxBlocks> Blocks;
    int Count;
    bool Fits;
};

class BlocksFitCase : public testing::TestWithParam<FitCase>
{ };

TEST_P(BlocksFitCase, NeedsEveryRunOfAllButOneBlock)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(BlocksFit(c.Total, c.Blocks, c.Count), c.Fits);
}

INSTANTIATE_TEST_SUITE_P(Fit, BlocksFitCase,
    testing::Values(FitCase {"ThreeBlocksRunOfTwoHolds", 20000, {16384, 16384, 65536}, 3, true},
        FitCase {"ThreeBlocksEqualToSmallestRun", 32768, {16384, 16384, 65536}, 3, true},
        FitCase {"ThreeBlocksAboveSmallestRun", 32769, {16384, 16384, 65536}, 3, false},
        FitCase {"TwoBlocksSmallerTooSmall", 20000, {16384, 65536}, 2, false},
        FitCase {"TwoBlocksEqualToSmaller", 16384, {65536, 16384}, 2, true},
        FitCase {"TwoBlocksBothLarge", 20000, {65536, 65536}, 2, true},
        FitCase {"OneBlock", 1000000, {16384}, 1, true}, FitCase {"NoBlocks", 1000000, {}, 0, true},
        FitCase {"SmallestBlockHolds", 16384, {16384, 65536, 32768}, 3, true},
        // Runs wrap round from the last block to the first.
        FitCase {"WrappingRunTooSmall", 60000, {1000, 50000, 50000, 1000}, 4, false},
        FitCase {"WrappingRunHolds", 52000, {1000, 50000, 50000, 1000}, 4, true},
        FitCase {"SixBlocksFiveHold", 81920, {16384, 16384, 16384, 16384, 16384, 16384}, 6, true},
        FitCase {"SixBlocksAboveFive", 81921, {16384, 16384, 16384, 16384, 16384, 16384}, 6, false},
        FitCase {"BlocksBeyondCountIgnored", 20000, {16384, 65536, 65536, 65536}, 2, false},
        FitCase {"EmptyListsFail", 1, {}, 2, false}, FitCase {"EmptyListsSixFail", 1, {}, 6, false},
        FitCase {"EmptyListsZeroTotal", 0, {}, 3, true},
        FitCase {"EmptyListsNegativeTotal", -1, {}, 2, true},
        FitCase {"UnreadableBlockCountsMinusOne", 65535, {-1, 65536, 65536}, 3, true},
        FitCase {"UnreadableBlockTooSmall", 0, {-1, 65536}, 2, false},
        // A total beyond 32 bits must not pass as a truncated value.
        FitCase {"TotalBeyond32Bits", 12533825536LL,
            {1048576, 1048576, 1048576, 1048576, 1048576, 1048576}, 6, false}),
    [](const testing::TestParamInfo<FitCase>& info) { return info.param.Name; });

} // namespace
} // namespace eee
