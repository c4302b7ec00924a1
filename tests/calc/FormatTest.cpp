// Number formats: three-digit exponents, thousands separators, refresh interval, flash used.
#include "calc/Format.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <cstring>

#include <random>

#include <cstdint>
#include <string>

namespace eee {
namespace {

struct TextCase
{
    std::string Name;
    std::string Input;
    std::string Expected;
};

std::string CaseName(const testing::TestParamInfo<TextCase>& info)
{
    return info.param.Name;
}

class PadExponentsCase : public testing::TestWithParam<TextCase>
{ };

TEST_P(PadExponentsCase, WidensExponentsToThreeDigits)
{
    EXPECT_EQ(PadExponents(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Exponents, PadExponentsCase,
    testing::Values(TextCase {"PositiveTwoDigits", "7.300000e+01", "7.300000e+001"},
        TextCase {"NegativeTwoDigits", "3.650000e-05", "3.650000e-005"},
        TextCase {"GeneralForm", "1e+16", "1e+016"},
        TextCase {"ZeroExponent", "1.000000e+00", "1.000000e+000"},
        TextCase {"AlreadyThreeDigits", "1.000000e+100", "1.000000e+100"},
        TextCase {"NegativeThreeDigits", "2.5e-308", "2.5e-308"},
        TextCase {"UpperCase", "1.000000E+05", "1.000000E+005"},
        TextCase {"TwoExponents", "1e+16 and 2e-05", "1e+016 and 2e-005"},
        TextCase {"NoExponent", "0.69709702", "0.69709702"},
        TextCase {"Words", "Estimated Flash Cycles", "Estimated Flash Cycles"},
        TextCase {"Empty", "", ""}),
    CaseName);

struct FormatGCase
{
    std::string Name;
    double Value;
    int Precision;
    std::string Expected;
};

class FormatGText : public testing::TestWithParam<FormatGCase>
{ };

TEST_P(FormatGText, WritesShortestGeneralForm)
{
    EXPECT_EQ(FormatG(GetParam().Value, GetParam().Precision), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(General, FormatGText,
    testing::Values(FormatGCase {"WholeLifetime", 20.0, 6, "20"},
        FormatGCase {"HalfLifetime", 20.5, 6, "20.5"},
        FormatGCase {"SinglePrecisionLifetime", static_cast<double>(1.1f), 6, "1.1"},
        FormatGCase {"SixDigitsRounded", 123456789.0, 6, "1.23457e+008"},
        FormatGCase {"SmallFixed", 0.0001, 6, "0.0001"},
        FormatGCase {"SmallExponent", 0.00001, 6, "1e-005"},
        FormatGCase {"Cycles", 10472.0, 15, "10472"},
        FormatGCase {"FifteenDigits", 1.0 / 3.0, 15, "0.333333333333333"},
        FormatGCase {"LargeCycles", 1e16, 15, "1e+016"},
        FormatGCase {"LargestFixed", 999999999999999.0, 15, "999999999999999"},
        FormatGCase {"Zero", 0.0, 15, "0"}),
    [](const testing::TestParamInfo<FormatGCase>& info) { return info.param.Name; });

// FormatG does not go through printf; it must still write exactly what "%.*g" writes.
TEST(FormatGText, AgreesWithPrintfOnRandomValues)
{
    std::mt19937_64 random(20261209);
    std::uniform_int_distribution<uint64_t> bits;
    for (int i = 0; i < 200000; ++i) {
        double value = 0.0;
        const uint64_t pattern = bits(random);
        std::memcpy(&value, &pattern, sizeof value);
        if (i % 2 == 0) // also plenty of values of the sizes the form shows
            value = static_cast<double>(pattern % 100000000000ULL) / (1 + pattern % 1000);
        for (const int precision : {6, 15}) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%.*g", precision, value);
            ASSERT_EQ(FormatG(value, precision), PadExponents(expected)) << precision;
        }
    }
}

TEST(FormatText, PrintsLikePrintf)
{
    EXPECT_EQ(Format("Flash used for EEPROM emulation: %d KB", 32),
        "Flash used for EEPROM emulation: 32 KB");
    EXPECT_EQ(PadExponents(Format("%e", 73.0)), "7.300000e+001");
    EXPECT_EQ(Format("%.1f", 10.09), "10.1");
    EXPECT_EQ(PadExponents(Format("%g / %g", 1e16, 2.5e-7)), "1e+016 / 2.5e-007");
    EXPECT_EQ(Format("%.8f", 7300.0 / 10472.0), "0.69709702");
    // Longer than any fixed buffer a formatter might start with.
    EXPECT_EQ(Format("%s", std::string(1000, 'x').c_str()), std::string(1000, 'x'));
}

// Names inside messages come back as given, even where they look like a number
// with an exponent.
TEST(FormatText, LeavesNamesInMessagesAlone)
{
    for (const char* name : {"/home/u/run1e-3.xml", "x2E+4", "a1E+22b"}) {
        EXPECT_EQ(Format("File %s loading failed!\n%s", name, ""),
            std::string("File ") + name + " loading failed!\n");
        EXPECT_EQ(Format("Unable to select block size '%s' at index '%d'.", name, 1),
            std::string("Unable to select block size '") + name + "' at index '1'.");
    }
}

struct SeparatorCase
{
    std::string Name;
    double Value;
    std::string Expected;
};

class ThousandsSeparators : public testing::TestWithParam<SeparatorCase>
{ };

TEST_P(ThousandsSeparators, GroupsDigitsInThrees)
{
    EXPECT_EQ(WithThousandsSeparators(GetParam().Value), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Separators, ThousandsSeparators,
    testing::Values(SeparatorCase {"Zero", 0.0, "0"}, SeparatorCase {"ThreeDigits", 123.0, "123"},
        SeparatorCase {"LargestWithoutComma", 999.0, "999"},
        SeparatorCase {"Thousand", 1000.0, "1,000"}, SeparatorCase {"FourDigits", 1234.0, "1,234"},
        SeparatorCase {"SixDigits", 123456.0, "123,456"},
        SeparatorCase {"SevenDigits", 1234567.0, "1,234,567"},
        SeparatorCase {"Million", 1000000.0, "1,000,000"},
        SeparatorCase {"WorkedExample", 299008000.0, "299,008,000"},
        SeparatorCase {"RoundsUpAcrossGroup", 999.6, "1,000"},
        SeparatorCase {"RoundsDown", 1234.4, "1,234"},
        SeparatorCase {"Quadrillion", 1e15, "1,000,000,000,000,000"},
        SeparatorCase {"BeyondInt64", 1e20, "100,000,000,000,000,000,000"}),
    [](const testing::TestParamInfo<SeparatorCase>& info) { return info.param.Name; });

struct RefreshCase
{
    std::string Name;
    double Value;
    std::string Expected;
    double ValueAfter; // the value read back when the exponent form is used
};

class RefreshText : public testing::TestWithParam<RefreshCase>
{ };

TEST_P(RefreshText, UsesFixedOrExponentForm)
{
    const RefreshCase& c = GetParam();
    double value = c.Value;
    EXPECT_EQ(RefreshIntervalText(value), c.Expected);
    EXPECT_EQ(value, c.ValueAfter);
}

INSTANTIATE_TEST_SUITE_P(Refresh, RefreshText,
    testing::Values(RefreshCase {"WholeNumber", 73.0, "7.300000e+001", 73.0},
        RefreshCase {"One", 1.0, "1.000000e+000", 1.0},
        RefreshCase {"LargeWholeNumber", 1825.0, "1.825000e+003", 1825.0},
        RefreshCase {"SmallFraction", 0.0000365, "3.650000e-005", 0.0000365},
        // The exponent form is made from the eight-decimal text, not from the value.
        RefreshCase {"RoundedBeforeExponentForm", 0.000036499, "3.650000e-005", 0.0000365},
        RefreshCase {"FractionAfterFourZeros", 2.00001, "2.000010e+000", 2.00001},
        RefreshCase {"BelowEightDecimals", 1e-9, "0.000000e+000", 0.0},
        RefreshCase {"ThreeZerosStayFixed", 0.00012345, "0.00012345", 0.00012345},
        RefreshCase {"WorkedExample", 7300.0 / 10472.0, "0.69709702", 7300.0 / 10472.0},
        RefreshCase {"Half", 0.5, "0.50000000", 0.5},
        RefreshCase {"Fraction", 6.84375, "6.84375000", 6.84375}),
    [](const testing::TestParamInfo<RefreshCase>& info) { return info.param.Name; });

struct FlashUsedCase
{
    std::string Name;
    int64_t Bytes;
    std::string Expected;
};

class FlashUsed : public testing::TestWithParam<FlashUsedCase>
{ };

TEST_P(FlashUsed, ShowsWholeKilobytes)
{
    EXPECT_EQ(FlashUsedText(GetParam().Bytes), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(FlashUsedLine, FlashUsed,
    testing::Values(FlashUsedCase {"Zero", 0, "Flash used for EEPROM emulation: 0 KB"},
        FlashUsedCase {"JustBelowOneKilobyte", 1023, "Flash used for EEPROM emulation: 0 KB"},
        FlashUsedCase {"OneKilobyte", 1024, "Flash used for EEPROM emulation: 1 KB"},
        FlashUsedCase {"TwoBlocks", 32768, "Flash used for EEPROM emulation: 32 KB"},
        FlashUsedCase {"SixBlocks", 6 * 65536, "Flash used for EEPROM emulation: 384 KB"},
        FlashUsedCase {
            "UnreadableBlockTruncatesTowardZero", -1, "Flash used for EEPROM emulation: 0 KB"},
        FlashUsedCase {"NegativeKilobytes", -2048, "Flash used for EEPROM emulation: -2 KB"}),
    [](const testing::TestParamInfo<FlashUsedCase>& info) { return info.param.Name; });

} // namespace
} // namespace eee
