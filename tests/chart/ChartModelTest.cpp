// The chart model: scales, ticks, operating point, in-spec rectangle and in-spec
// years in the main window's 338 x 236 chart.

#include "chart/ChartModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace eee {
namespace {

constexpr int kWidth = 338;
constexpr int kHeight = 236;
constexpr int kLifetimeLimit = 20;
constexpr int kCyclesLimit = 100000;

constexpr ChartColor kGreen {0, 255, 0};
constexpr ChartColor kRed {255, 0, 0};
constexpr ChartColor kBackground {236, 233, 216};

// A chart set up the way the main window sets up its own.
ChartModel MainWindowChart()
{
    ChartModel model;
    model.SetupChart(20.0f, 50.0, 0.0, "Application LifeTime (in years)", "Estimated Flash Cycles",
        kGreen, kRed, kBackground, kLifetimeLimit, kCyclesLimit);
    model.SetCyclesLimit(kCyclesLimit);
    return model;
}

std::string FormatOneDecimal(float value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%.1f", static_cast<double>(value));
    return text;
}

using Ticks = std::vector<std::pair<double, int>>; // value, pixel

Ticks TicksOf(const ChartTicks& ticks)
{
    Ticks result;
    for (const ChartTick& tick : ticks) {
        result.emplace_back(tick.Value, tick.Pixel);
    }
    return result;
}

// One operating point and what the repaint must make of it. Unset fields are not
// checked for that case.
struct LayoutCase
{
    const char* Name = "";
    float LifeTime = 0.0f;
    double Cycles = 0.0;
    bool OutOfSpec = false;
    std::optional<float> XMaximum = {};
    std::optional<int> XStep = {}, XIntervals = {}, XTickDistance = {};
    Ticks XTicks = {};
    std::optional<double> YMaximum = {};
    std::optional<int> YExponent = {}, YStep = {}, YIntervals = {};
    Ticks YTicks = {};
    std::optional<std::pair<int, int>> Operating = {};
    std::optional<ChartRect> InSpec = {};
    std::optional<float> InSpecYears = {}; // exact
    const char* InSpecYearsText = nullptr; // "%.1f" of the in-spec years
};

class ChartLayoutTest : public ::testing::TestWithParam<LayoutCase>
{ };

TEST_P(ChartLayoutTest, MatchesThePixelGrid)
{
    const LayoutCase& c = GetParam();
    ChartModel model = MainWindowChart();
    model.SetOperatingPoint(c.LifeTime, c.Cycles);
    const ChartLayout layout = model.Layout(kWidth, kHeight);

    EXPECT_EQ(layout.Plot, (ChartRect {40, 18, 288, 196}));
    EXPECT_EQ(layout.OutOfSpec, c.OutOfSpec);
    if (c.XMaximum) {
        EXPECT_EQ(model.XMaximum(), *c.XMaximum);
    }
    if (c.XStep) {
        EXPECT_EQ(layout.XStep, *c.XStep);
    }
    if (c.XIntervals) {
        EXPECT_EQ(layout.XIntervals, *c.XIntervals);
    }
    if (c.XTickDistance) {
        EXPECT_EQ(layout.XTickDistance, *c.XTickDistance);
    }
    if (!c.XTicks.empty()) {
        EXPECT_EQ(TicksOf(layout.XTicks), c.XTicks);
    }
    if (c.YMaximum) {
        EXPECT_DOUBLE_EQ(layout.YMaximum, *c.YMaximum);
    }
    if (c.YExponent) {
        EXPECT_EQ(layout.YExponent, *c.YExponent);
    }
    if (c.YStep) {
        EXPECT_EQ(layout.YStep, *c.YStep);
    }
    if (c.YIntervals) {
        EXPECT_EQ(layout.YIntervals, *c.YIntervals);
    }
    if (!c.YTicks.empty()) {
        EXPECT_EQ(TicksOf(layout.YTicks), c.YTicks);
    }
    if (c.Operating) {
        EXPECT_EQ(std::make_pair(layout.OperatingX, layout.OperatingY), *c.Operating);
    }
    if (c.InSpec) {
        EXPECT_EQ(layout.InSpec, *c.InSpec);
    }
    if (c.InSpecYears) {
        EXPECT_EQ(layout.InSpecYears, *c.InSpecYears);
    }
    if (c.InSpecYearsText) {
        EXPECT_EQ(FormatOneDecimal(layout.InSpecYears), c.InSpecYearsText);
    }
    EXPECT_EQ(model.GetInSpecYears(), layout.InSpecYears);
}

const ChartRect kPlot {40, 18, 288, 196};

// clang-format off
const LayoutCase kLayoutCases[] = {
    { .Name = "InSpecHalfway", .LifeTime = 10.0f, .Cycles = 50000.0, .OutOfSpec = false,
      .XMaximum = 20.0f, .XStep = 5, .XIntervals = 4,
      // 62.0000005 rounded up: the float scale is a hair above 1.24.
      .XTickDistance = 63,
      .XTicks = { { 0, 40 }, { 5, 103 }, { 10, 166 }, { 15, 229 }, { 20, 288 } },
      .YMaximum = 10.0, .YExponent = 4, .YStep = 2, .YIntervals = 5,
      .YTicks = { { 0, 196 }, { 2, 160 }, { 4, 124 }, { 6, 89 }, { 8, 53 }, { 10, 18 } },
      .Operating = std::pair { 164, 107 }, .InSpec = kPlot, .InSpecYears = 20.0f,
      .InSpecYearsText = "20.0" },
    { .Name = "CyclesOver", .LifeTime = 10.0f, .Cycles = 200000.0, .OutOfSpec = true,
      .YMaximum = 2.0, .YExponent = 5, .YStep = 1, .YIntervals = 2,
      .YTicks = { { 0, 196 }, { 1, 107 }, { 2, 18 } },
      .Operating = std::pair { 164, 18 }, .InSpec = ChartRect { 40, 107, 288, 196 },
      .InSpecYears = 5.0f, .InSpecYearsText = "5.0" },
    { .Name = "LifetimeOver", .LifeTime = 30.0f, .Cycles = 50000.0, .OutOfSpec = true,
      .XMaximum = 30.0f, .XStep = 5, .XIntervals = 6, .XTickDistance = 42,
      .XTicks = { { 0, 40 }, { 5, 82 }, { 10, 124 }, { 15, 166 }, { 20, 208 }, { 25, 250 },
                  { 30, 288 } },
      .YMaximum = 10.0, .YExponent = 4,
      .InSpec = ChartRect { 40, 18, 205, 196 }, .InSpecYears = 20.0f, .InSpecYearsText = "20.0" },
    // The pixel grid gives 10.09.. although the values give exactly 10.
    { .Name = "BothOver", .LifeTime = 30.0f, .Cycles = 300000.0, .OutOfSpec = true,
      .YMaximum = 3.0, .YExponent = 5, .YStep = 1, .YIntervals = 3,
      .Operating = std::pair { 287, 18 }, .InSpec = ChartRect { 40, 136, 205, 196 },
      .InSpecYearsText = "10.1" },
    // The operating point lies at y 17.9999977 before truncation.
    { .Name = "FarOver", .LifeTime = 99.0f, .Cycles = 1234567.0, .OutOfSpec = true,
      .XMaximum = 99.0f, .XStep = 10, .XIntervals = 10, .XTickDistance = 26,
      .XTicks = { { 0, 40 }, { 10, 66 }, { 20, 92 }, { 30, 118 }, { 40, 144 }, { 50, 170 },
                  { 60, 196 }, { 70, 222 }, { 80, 248 }, { 90, 274 }, { 99, 288 } },
      .YMaximum = 12.34567, .YExponent = 5, .YStep = 2, .YIntervals = 6,
      .YTicks = { { 0, 196 }, { 2, 167 }, { 4, 138 }, { 6, 109 }, { 8, 80 }, { 10, 51 },
                  { 12, 22 } },
      .Operating = std::pair { 287, 17 }, .InSpec = ChartRect { 40, 181, 90, 196 },
      .InSpecYearsText = "8.3" },
    // The whole part of x maximum is a multiple of the step: no tick at the right edge.
    { .Name = "FractionalLifetime", .LifeTime = 20.5f, .Cycles = 50000.0, .OutOfSpec = true,
      .XMaximum = 20.5f, .XStep = 5, .XIntervals = 4, .XTickDistance = 61,
      .XTicks = { { 0, 40 }, { 5, 101 }, { 10, 162 }, { 15, 223 }, { 20, 284 } } },
    // A whole x maximum off the step: the last tick shows it at the right edge.
    { .Name = "WholeLifetimeOffStep", .LifeTime = 22.0f, .Cycles = 50000.0, .OutOfSpec = true,
      .XMaximum = 22.0f, .XStep = 5, .XIntervals = 5, .XTickDistance = 57,
      .XTicks = { { 0, 40 }, { 5, 97 }, { 10, 154 }, { 15, 211 }, { 20, 268 }, { 22, 288 } } },
    // The cycles limit lies within a pixel of the top: the line runs along the diagonal.
    { .Name = "CyclesJustOver", .LifeTime = 20.0f, .Cycles = 100001.0, .OutOfSpec = true,
      .YMaximum = 10.0001, .YExponent = 4, .YStep = 2, .YIntervals = 5,
      .Operating = std::pair { 288, 18 }, .InSpec = kPlot, .InSpecYears = 20.0f },
    // The comparisons with the limits are strict.
    { .Name = "AtBothLimits", .LifeTime = 20.0f, .Cycles = 100000.0, .OutOfSpec = false,
      .XMaximum = 20.0f, .YMaximum = 10.0, .YExponent = 4,
      .Operating = std::pair { 288, 18 }, .InSpec = kPlot, .InSpecYears = 20.0f },
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(MainWindowChart, ChartLayoutTest, ::testing::ValuesIn(kLayoutCases),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.Name); });

TEST(ChartLayout, InSpecYearsFollowThePixelsNotTheValues)
{
    ChartModel model = MainWindowChart();
    model.SetOperatingPoint(30.0f, 300000.0);
    const float years = model.Layout(kWidth, kHeight).InSpecYears;
    EXPECT_GT(years, 10.05f);
    EXPECT_LT(years, 10.1f);
}

// The cycles axis: maximum written as a mantissa and a power of ten.
struct CyclesAxisCase
{
    const char* Name;
    double Cycles;
    double YMaximum;
    int YExponent, YStep, YIntervals;
};

class ChartCyclesAxisTest : public ::testing::TestWithParam<CyclesAxisCase>
{ };

TEST_P(ChartCyclesAxisTest, ScalesTheMaximum)
{
    const CyclesAxisCase& c = GetParam();
    ChartModel model = MainWindowChart();
    model.SetOperatingPoint(10.0f, c.Cycles);
    const ChartLayout layout = model.Layout(kWidth, kHeight);
    EXPECT_DOUBLE_EQ(layout.YMaximum, c.YMaximum);
    EXPECT_EQ(layout.YExponent, c.YExponent);
    EXPECT_EQ(layout.YStep, c.YStep);
    EXPECT_EQ(layout.YIntervals, c.YIntervals);
    EXPECT_EQ(layout.YTicks.Count, c.YIntervals + 1);
}

// clang-format off
const CyclesAxisCase kCyclesAxisCases[] = {
    { "BelowLimit", 1.0, 10.0, 4, 2, 5 },
    { "AtLimit", 100000.0, 10.0, 4, 2, 5 },
    { "TwoAndAHalf", 250000.0, 2.5, 5, 1, 2 },
    { "MillionsWithLeadingOne", 1234567.0, 12.34567, 5, 2, 6 },
    { "NineNines", 999999.0, 9.99999, 5, 1, 9 },
    { "SixDecimalsKept", 9999999.0, 9.999999, 6, 1, 9 },
    { "RoundedUpToNextDecade", 99999996.0, 10.0, 7, 2, 5 }, // 9.9999996E+07 -> 1.000000E+08
    { "TenMillion", 10000000.0, 10.0, 6, 2, 5 },
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(MainWindowChart, ChartCyclesAxisTest,
    ::testing::ValuesIn(kCyclesAxisCases),
    [](const ::testing::TestParamInfo<CyclesAxisCase>& info) {
        return std::string(info.param.Name);
    });

TEST(ChartLayout, SmallCyclesLimitScalesWithoutExponent)
{
    // A maximum below 10 has no positive exponent: the value itself is the axis
    // maximum, and a leading 1 still moves one decade into the mantissa.
    ChartModel model = MainWindowChart();
    model.SetCyclesLimit(5);
    model.SetOperatingPoint(10.0f, 1.0);
    ChartLayout layout = model.Layout(kWidth, kHeight);
    EXPECT_DOUBLE_EQ(layout.YMaximum, 5.0);
    EXPECT_EQ(layout.YExponent, 0);

    model.SetCyclesLimit(1);
    model.SetOperatingPoint(10.0f, 0.5);
    layout = model.Layout(kWidth, kHeight);
    EXPECT_DOUBLE_EQ(layout.YMaximum, 10.0);
    EXPECT_EQ(layout.YExponent, -1);
    // With e = -1 the cycles are multiplied by 10: 0.5 sits at half the height.
    EXPECT_EQ(layout.OperatingY, 107);
}

TEST(ChartLayout, RetentionTicksRunFromZeroToTwentyOne)
{
    ChartModel model = MainWindowChart();
    model.SetOperatingPoint(10.0f, 50000.0);
    const ChartLayout layout = model.Layout(kWidth, kHeight);
    EXPECT_TRUE(layout.ShowRetentionAxis);
    // The last tick stands one pixel above the plot.
    const Ticks expected {{0, 196}, {2, 179}, {4, 162}, {6, 145}, {8, 128}, {10, 111}, {12, 94},
        {14, 77}, {16, 60}, {18, 43}, {20, 26}, {21, 17}};
    EXPECT_EQ(TicksOf(layout.RetentionTicks), expected);

    model.SetRetentionAxis(false);
    EXPECT_FALSE(model.Layout(kWidth, kHeight).ShowRetentionAxis);
}

TEST(ChartSetup, ConstructedChartDrawsItsOwnPoint)
{
    ChartModel model;
    EXPECT_EQ(model.XMaximum(), 20.0f);
    EXPECT_EQ(model.CyclesLimit(), 250000);
    EXPECT_EQ(model.XTitle(), "Application LifeTime (years)");
    EXPECT_EQ(model.OperatingLifeTime(), 20.0f);
    EXPECT_EQ(model.OperatingCycles(), 250000.0);
    const ChartLayout layout = model.Layout(kWidth, kHeight);
    EXPECT_FALSE(layout.OutOfSpec);
    EXPECT_EQ(layout.OperatingX, 288);
    EXPECT_EQ(layout.OperatingY, 18);
    EXPECT_DOUBLE_EQ(layout.YMaximum, 2.5);
    EXPECT_EQ(layout.YExponent, 5);
}

TEST(ChartSetup, StoresEverythingAndKeepsTheOperatingPoint)
{
    ChartModel model;
    model.SetOperatingPoint(7.0f, 1234.0);
    model.SetupChart(20.0f, 50.0, 0.0, "Application LifeTime (in years)", "Estimated Flash Cycles",
        kGreen, kRed, kBackground, kLifetimeLimit, kCyclesLimit);
    EXPECT_EQ(model.XMaximum(), 20.0f);
    EXPECT_EQ(model.YMaximum(), 50.0);
    EXPECT_EQ(model.YMinimum(), 0.0);
    EXPECT_EQ(model.XTitle(), "Application LifeTime (in years)");
    EXPECT_EQ(model.YTitle(), "Estimated Flash Cycles");
    EXPECT_EQ(model.InSpecColor(), kGreen);
    EXPECT_EQ(model.OutOfSpecColor(), kRed);
    EXPECT_EQ(model.BackgroundColor(), kBackground);
    EXPECT_EQ(model.LifetimeLimit(), kLifetimeLimit);
    EXPECT_EQ(model.CyclesLimit(), kCyclesLimit);
    EXPECT_EQ(model.OperatingLifeTime(), 7.0f);
    EXPECT_EQ(model.OperatingCycles(), 1234.0);
}

TEST(ChartSetup, EmptyRangesFallBackToTheLimits)
{
    ChartModel model;
    model.SetupChart(0.0f, 300.0, 300.0, "x", "y", kGreen, kRed, kBackground, 15, 5000);
    EXPECT_EQ(model.XMaximum(), 15.0f);
    EXPECT_EQ(model.YMaximum(), 5000.0);
    EXPECT_EQ(model.YMinimum(), 300.0);

    model.SetupChart(0.5f, 300.0, 0.0, "x", "y", kGreen, kRed, kBackground, 15, 5000);
    EXPECT_EQ(model.XMaximum(), 0.5f);
    EXPECT_EQ(model.YMaximum(), 300.0);
}

struct OperatingPointCase
{
    const char* Name;
    float LifeTime;
    double Cycles;
    float OperatingLifeTime;
    float XMaximum;
    double OperatingCycles;
};

class ChartOperatingPointTest : public ::testing::TestWithParam<OperatingPointCase>
{ };

TEST_P(ChartOperatingPointTest, ReplacesMissingValuesWithTheLimits)
{
    const OperatingPointCase& c = GetParam();
    ChartModel model = MainWindowChart();
    model.SetOperatingPoint(c.LifeTime, c.Cycles);
    EXPECT_EQ(model.OperatingLifeTime(), c.OperatingLifeTime);
    EXPECT_EQ(model.XMaximum(), c.XMaximum);
    EXPECT_EQ(model.OperatingCycles(), c.OperatingCycles);
}

// clang-format off
const OperatingPointCase kOperatingPointCases[] = {
    { "WithinLimits", 10.0f, 5000.0, 10.0f, 20.0f, 5000.0 },
    { "LongerThanLimit", 30.5f, 5000.0, 30.5f, 30.5f, 5000.0 },
    { "ZeroLifetime", 0.0f, 5000.0, 20.0f, 20.0f, 5000.0 },
    { "NegativeLifetime", -3.0f, 5000.0, 20.0f, 20.0f, 5000.0 },
    { "ZeroCycles", 10.0f, 0.0, 10.0f, 20.0f, 100000.0 },
    { "NegativeCycles", 10.0f, -1.0, 10.0f, 20.0f, 100000.0 },
    { "SmallestLifetime", 0.1f, 1.0, 0.1f, 20.0f, 1.0 },
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(MainWindowChart, ChartOperatingPointTest,
    ::testing::ValuesIn(kOperatingPointCases),
    [](const ::testing::TestParamInfo<OperatingPointCase>& info) {
        return std::string(info.param.Name);
    });

TEST(ChartLayout, SmallestLifetimeLiesRightOfTheAxis)
{
    ChartModel model = MainWindowChart();
    model.SetOperatingPoint(0.1f, 50000.0);
    EXPECT_EQ(model.Layout(kWidth, kHeight).OperatingX, 41);
}

TEST(ChartLayout, ZeroLifetimeRangeGivesZeroScale)
{
    ChartModel model;
    model.SetupChart(0.0f, 50.0, 0.0, "x", "y", kGreen, kRed, kBackground, 0, kCyclesLimit);
    const ChartLayout layout = model.Layout(kWidth, kHeight);
    EXPECT_EQ(layout.XScale, 0.0f);
    EXPECT_EQ(layout.XTickDistance, 0);
    EXPECT_EQ(layout.XIntervals, 0);
    ASSERT_EQ(layout.XTicks.Count, 1);
    EXPECT_EQ(layout.XTicks.Items[0].Pixel, 40);
    // The constructed point (20 years) collapses onto the axis; the line is vertical.
    EXPECT_EQ(layout.OperatingX, 40);
    EXPECT_EQ(layout.InSpecYears, 0.0f);
}

TEST(ChartLayout, ZeroCyclesRangeGivesZeroScale)
{
    // The scaled maximum of 100000 is 10; a minimum of 10 leaves no range.
    ChartModel model;
    model.SetupChart(
        20.0f, 50.0, 10.0, "x", "y", kGreen, kRed, kBackground, kLifetimeLimit, kCyclesLimit);
    model.SetOperatingPoint(10.0f, 50000.0);
    const ChartLayout layout = model.Layout(kWidth, kHeight);
    EXPECT_EQ(layout.YScale, 0.0f);
    EXPECT_EQ(layout.YTickDistance, 0.0f);
    ASSERT_EQ(layout.YTicks.Count, 1);
    EXPECT_EQ(layout.YTicks.Items[0].Pixel, 196);
    EXPECT_EQ(layout.OperatingY, 196);
}

TEST(ChartLayout, AbsurdInputsStayWithinTheTickStorage)
{
    const std::pair<float, double> points[] = {
        {1e30f, 1e300},
        {std::numeric_limits<float>::max(), std::numeric_limits<double>::max()},
        {std::numeric_limits<float>::infinity(), std::numeric_limits<double>::infinity()},
        {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()},
        {1e-30f, 1e-300},
        {std::numeric_limits<float>::denorm_min(), std::numeric_limits<double>::denorm_min()},
    };
    for (const auto& [lifetime, cycles] : points) {
        SCOPED_TRACE(testing::Message() << lifetime << " years, " << cycles << " cycles");
        ChartModel model = MainWindowChart();
        model.SetOperatingPoint(lifetime, cycles);
        for (const auto& [width, height] :
            {std::pair {kWidth, kHeight}, std::pair {0, 0}, std::pair {100000, 3}}) {
            const ChartLayout layout = model.Layout(width, height);
            EXPECT_GE(layout.XTicks.Count, 0);
            EXPECT_LE(layout.XTicks.Count, kMaxChartTicks);
            EXPECT_GE(layout.YTicks.Count, 0);
            EXPECT_LE(layout.YTicks.Count, kMaxChartTicks);
            EXPECT_EQ(layout.RetentionTicks.Count, 12);
        }
    }

    // A negative minimum far below the maximum asks for more ticks than are kept.
    ChartModel model;
    model.SetupChart(1e9f, 50.0, -1e12, "x", "y", kGreen, kRed, kBackground, 20, kCyclesLimit);
    const ChartLayout layout = model.Layout(kWidth, kHeight);
    EXPECT_EQ(layout.XTicks.Count, kMaxChartTicks);
    EXPECT_EQ(layout.YTicks.Count, kMaxChartTicks);
    for (const ChartTick& tick : layout.XTicks) {
        EXPECT_LE(tick.Pixel, 288);
    }
}

// The cycles axis reads its scale from "%e" text; whole numbers are split without text
// and must give exactly what the text gives, ties of the seventh digit included.
TEST(ChartScale, WholeNumbersSplitExactlyAsTheirText)
{
    const auto reference = [](double value) {
        char text[64];
        std::snprintf(text, sizeof(text), "%.6e", value);
        ScientificParts parts;
        char* exponent = std::strchr(text, 'e');
        *exponent = '\0';
        parts.Mantissa = std::strtod(text, nullptr);
        parts.MantissaWhole = std::atoi(text);
        parts.Exponent = std::atoi(exponent + 1);
        return parts;
    };
    std::vector<double> values {1, 9, 10, 99, 100000, 250000, 1000000, 9999999, 10000000, 12345665,
        12345675, 12345685, 99999995, 99999994, 99999996, 100000050, 100000150, 1234567890123,
        22396388282, 9007199254740991.0, 4503599627370497.0};
    uint64_t x = 88172645463325252ull;
    for (int i = 0; i < 20000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        const int digits = 1 + static_cast<int>(x % 16);
        uint64_t limit = 1;
        for (int d = 0; d < digits; ++d)
            limit *= 10;
        double value = static_cast<double>(x % limit + 1);
        // Every few values sit exactly on a tie of the seventh significant digit.
        if (i % 3 == 0 && digits > 7)
            value = std::floor(value / 10) * 10 + 5;
        values.push_back(value);
    }
    for (double value : values) {
        const ScientificParts expected = reference(value);
        const ScientificParts parts = SplitScientific(value);
        ASSERT_EQ(parts.Mantissa, expected.Mantissa) << std::fixed << value;
        ASSERT_EQ(parts.MantissaWhole, expected.MantissaWhole) << std::fixed << value;
        ASSERT_EQ(parts.Exponent, expected.Exponent) << std::fixed << value;
    }
}

TEST(ChartLayout, LayoutIsPureAndYearsFollowTheOperatingPoint)
{
    ChartModel model = MainWindowChart();
    EXPECT_EQ(model.YMaximum(), 50.0);
    model.SetOperatingPoint(10.0f, 200000.0);
    // The in-spec years need no repaint: they are those of the window's chart size.
    EXPECT_EQ(model.GetInSpecYears(), 5.0f);
    const ChartLayout layout = model.Layout(kWidth, kHeight);
    EXPECT_EQ(layout.YMaximum, 2.0);
    EXPECT_EQ(layout.InSpecYears, 5.0f);
    // Painting leaves the model as it was: the same state gives the same answer.
    EXPECT_EQ(model.YMaximum(), 50.0);
    const ChartLayout again = model.Layout(kWidth, kHeight);
    EXPECT_EQ(again.YMaximum, 2.0);
    EXPECT_EQ(EnvelopeInSpecYears(10.0f, 200000.0, kLifetimeLimit, kCyclesLimit), 5.0f);
}

} // namespace
} // namespace eee
