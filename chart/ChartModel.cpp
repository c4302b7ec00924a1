// The chart's geometry: scales, ticks, operating point, in-spec rectangle and
// in-spec years, computed from the stored values for one repaint.
//
// The arithmetic follows one fixed recipe: doubles evaluated in the order the
// formulas are written, rounded to float exactly where a value is kept in single
// precision. Several pixels of the standard 338 x 236 window lie within a few
// millionths of a whole number, so any other order or precision moves them.

#include "chart/ChartModel.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>

namespace eee {
namespace {

// Margins of the plot inside the client area: room for the y labels and title on
// the left, the multiplier on top, the retention axis on the right and the x labels
// and title below.
constexpr int kPlotMarginLeft = 40;
constexpr int kPlotMarginTop = 18;
constexpr int kPlotMarginRight = 50;
constexpr int kPlotMarginBottom = 40;

// The retention axis is a fixed scale of 0 to 21 years in steps of 2.
constexpr double kRetentionYears = 21.0;
constexpr double kRetentionStep = 2.0;
constexpr int kRetentionIntervals = 11; // ceil(21 / 2)

// Truncation toward zero that stays defined for any double: NaN gives 0 and values
// outside the int range stick to its ends.
int Truncate(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

int ClampToInt(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

// Number of ticks drawn for a given number of intervals (intervals + 1), limited
// to the fixed tick storage.
int TickCount(int intervals)
{
    const int64_t count = static_cast<int64_t>(intervals) + 1;
    return static_cast<int>(std::clamp<int64_t>(count, 0, kMaxChartTicks));
}

// 10^exponent by repeated squaring; a negative exponent gives the reciprocal.
double PowerOfTen(int exponent)
{
    // Widen before negating: -INT_MIN does not fit an int.
    int64_t n = exponent < 0 ? -static_cast<int64_t>(exponent) : exponent;
    double result = 1.0;
    double base = 10.0;
    while (n > 0) {
        if (n & 1) {
            result *= base;
        }
        n >>= 1;
        if (n > 0) {
            base *= base;
        }
    }
    return exponent < 0 ? 1.0 / result : result;
}

// Reads the integer at the start of a text the way atoi does for the texts made
// here: an optional minus sign and digits, anything else ends it; no digits gives 0.
int LeadingInteger(const char* first, const char* last)
{
    int value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        return (first != last && *first == '-') ? INT_MIN : INT_MAX;
    }
    return ec == std::errc() ? value : 0;
}

// The same split for a whole number below 2^53, without text: its seven significant
// digits are rounded half to even from the exact value, as printf rounds, and the
// mantissa is the correctly rounded quotient, as reading its text back gives.
bool SplitWholeNumber(double value, ScientificParts& parts)
{
    constexpr double kExactLimit = 9007199254740992.0; // 2^53
    if (!(value >= 1.0 && value < kExactLimit) || value != std::floor(value)) {
        return false;
    }
    uint64_t digits = static_cast<uint64_t>(value);
    int exponent = 0;
    for (uint64_t v = digits; v >= 10; v /= 10) {
        ++exponent;
    }
    if (exponent > 6) {
        uint64_t divisor = 1;
        for (int i = 6; i < exponent; ++i) {
            divisor *= 10;
        }
        const uint64_t rest = digits % divisor;
        digits /= divisor;
        if (rest * 2 > divisor || (rest * 2 == divisor && (digits & 1) != 0)) {
            ++digits;
        }
        if (digits == 10000000) {
            digits = 1000000;
            ++exponent;
        }
    } else {
        for (int i = exponent; i < 6; ++i) {
            digits *= 10;
        }
    }
    parts.Mantissa = static_cast<double>(digits) / 1e6;
    parts.MantissaWhole = static_cast<int>(digits / 1000000);
    parts.Exponent = exponent;
    return true;
}

} // namespace

// Whole numbers, which the cycle counts are, take the quick road; any other value is
// written by std::to_chars, which writes exactly what printf writes in the C locale
// (printf itself would follow the user's locale once the GUI has set it, and a decimal
// comma would break the reading), and read back.
ScientificParts SplitScientific(double value)
{
    ScientificParts whole;
    if (SplitWholeNumber(value, whole)) {
        return whole;
    }
    char text[64];
    auto [end, ec]
        = std::to_chars(text, text + sizeof(text), value, std::chars_format::scientific, 6);
    if (ec != std::errc()) {
        end = text;
    }
    const char* textEnd = end;
    const char* exponentMark = std::find_if(
        static_cast<const char*>(text), textEnd, [](char c) { return c == 'e' || c == 'E'; });

    ScientificParts parts;
    auto [ptr, mantissaEc] = std::from_chars(text, exponentMark, parts.Mantissa);
    if (mantissaEc != std::errc()) {
        parts.Mantissa = 0.0;
    }
    parts.MantissaWhole = LeadingInteger(text, exponentMark);
    if (exponentMark != textEnd) {
        const char* exponentText = exponentMark + 1;
        while (exponentText != textEnd && *exponentText == '+') {
            ++exponentText;
        }
        parts.Exponent = LeadingInteger(exponentText, textEnd);
    }
    return parts;
}

namespace {

// The part of a layout that the in-spec years depend on: plot, scales, operating point and
// in-spec rectangle. The ticks are drawn from it.
struct ChartFrame
{
    ChartRect Plot;
    int64_t PlotHeight = 0;
    bool OutOfSpec = false;
    bool CyclesOver = false;
    int XStep = 0;
    int XIntervals = 0;
    float XScale = 0.0f;
    int XTickDistance = 0;
    double YMaximum = 0.0;
    int YExponent = 0;
    int YStep = 0;
    int YIntervals = 0;
    float YScale = 0.0f;
    float YTickDistance = 0.0f;
    int OperatingX = 0, OperatingY = 0;
    ChartRect InSpec;
    float InSpecYears = 0.0f;
};

ChartFrame ComputeFrame(const ChartScales& c, int clientWidth, int clientHeight)
{
    ChartFrame f;

    // 1. Plot rectangle.
    ChartRect& plot = f.Plot;
    plot.Left = kPlotMarginLeft;
    plot.Top = kPlotMarginTop;
    plot.Right = ClampToInt(static_cast<int64_t>(clientWidth) - kPlotMarginRight);
    plot.Bottom = ClampToInt(static_cast<int64_t>(clientHeight) - kPlotMarginBottom);
    const int64_t plotWidth = static_cast<int64_t>(plot.Right) - plot.Left;
    f.PlotHeight = static_cast<int64_t>(plot.Bottom) - plot.Top;

    // 2. Out of spec (strict comparisons: the limits themselves are in spec).
    const bool cyclesOver = static_cast<double>(c.CyclesLimit) < c.OpCycles;
    const bool lifetimeOver = static_cast<float>(c.LifetimeLimit) < c.OpLifeTime;
    f.CyclesOver = cyclesOver;
    f.OutOfSpec = cyclesOver || lifetimeOver;

    // 3. Lifetime axis.
    f.XStep = c.XMaximum < 50.0f ? 5 : 10;
    const double xRange = static_cast<double>(c.XMaximum) - c.XMinimum;
    const int wholeRange = Truncate(xRange);
    f.XIntervals = wholeRange / f.XStep + (wholeRange % f.XStep > 0 ? 1 : 0);
    if (xRange > 0) {
        const float scaledWidth = static_cast<float>(static_cast<double>(plotWidth) * 0.1);
        f.XScale = static_cast<float>(scaledWidth / xRange);
    } else {
        f.XScale = 0.0f;
    }
    const double xScale = f.XScale;
    f.XTickDistance = Truncate(std::ceil(f.XStep * xScale / 0.1));
    const auto lifetimePixel
        = [&](double years) { return Truncate(years * xScale / 0.1 + plot.Left); };

    // 4. Cycles axis: the maximum is brought to a mantissa between 1 and 20 and a
    // power of ten shown as the multiplier.
    double yMaximum = cyclesOver ? c.OpCycles : static_cast<double>(c.CyclesLimit);
    int exponent = 0;
    const ScientificParts parts = SplitScientific(yMaximum);
    if (parts.Exponent > 0) {
        exponent = parts.Exponent;
        yMaximum = parts.Mantissa;
    }
    if (parts.MantissaWhole <= 1) {
        yMaximum *= 10;
        exponent -= 1;
    }
    f.YMaximum = yMaximum;
    f.YExponent = exponent;
    f.YStep = yMaximum < 10 ? 1 : 2;
    const double yRange = yMaximum - c.YMinimum;
    f.YIntervals = Truncate(yRange) / f.YStep;
    if (yRange > 0) {
        const float scaledHeight = static_cast<float>(static_cast<double>(f.PlotHeight) * 0.1);
        const float range = static_cast<float>(yRange);
        f.YScale = static_cast<float>(static_cast<double>(scaledHeight) / range);
    } else {
        f.YScale = 0.0f;
    }
    const double yScale = f.YScale;
    f.YTickDistance = static_cast<float>(f.YStep * yScale / 0.1);
    const double multiplier = PowerOfTen(exponent);
    const auto cyclesPixel
        = [&](double cycles) { return Truncate(plot.Bottom - cycles / multiplier * yScale / 0.1); };

    // 7. Operating point.
    f.OperatingX = lifetimePixel(c.OpLifeTime);
    f.OperatingY = cyclesPixel(c.OpCycles);

    // 8. In-spec rectangle: the plot cut at the limits that the operating point passes.
    f.InSpec = plot;
    if (f.OutOfSpec) {
        if (cyclesOver) {
            f.InSpec.Top = cyclesPixel(c.CyclesLimit);
        }
        if (lifetimeOver) {
            f.InSpec.Right = lifetimePixel(c.LifetimeLimit);
        }
    }

    // 9. In-spec years: where the line from the origin to the operating point leaves
    // the in-spec rectangle, measured on the pixels.
    {
        const double inSpecWidth = static_cast<double>(f.InSpec.Right) - f.InSpec.Left;
        const double inSpecHeight = static_cast<double>(f.InSpec.Bottom) - f.InSpec.Top;
        const double lineAngle = std::atan((static_cast<double>(f.OperatingY) - plot.Bottom)
            / (static_cast<double>(plot.Left) - f.OperatingX));
        const double diagonalAngle = std::atan(inSpecHeight / inSpecWidth);
        if (lineAngle > diagonalAngle) {
            // The line leaves through the top edge.
            const double crossing = inSpecHeight / std::tan(lineAngle);
            const float scaled = static_cast<float>(crossing * c.LifetimeLimit);
            f.InSpecYears = static_cast<float>(scaled / inSpecWidth);
        } else {
            // Through the right edge or the corner (or the angles are undefined).
            f.InSpecYears = static_cast<float>(c.LifetimeLimit);
        }
    }
    return f;
}

} // namespace

void ChartScales::SetOperatingPoint(float lifeTime, double cycles)
{
    const float lifetimeLimit = static_cast<float>(LifetimeLimit);
    OpLifeTime = lifeTime > static_cast<float>(XMinimum) ? lifeTime : lifetimeLimit;
    XMaximum = lifetimeLimit > OpLifeTime ? lifetimeLimit : OpLifeTime;
    OpCycles = cycles > YMinimum ? cycles : static_cast<double>(CyclesLimit);
}

float InSpecYears(const ChartScales& scales, int clientWidth, int clientHeight)
{
    return ComputeFrame(scales, clientWidth, clientHeight).InSpecYears;
}

float EnvelopeInSpecYears(float lifeTime, double cycles, int lifetimeLimit, int cyclesLimit)
{
    ChartScales scales;
    scales.LifetimeLimit = lifetimeLimit;
    scales.CyclesLimit = cyclesLimit;
    scales.SetOperatingPoint(lifeTime, cycles);
    return InSpecYears(scales);
}

ChartLayout LayoutChart(const ChartScales& c, int clientWidth, int clientHeight)
{
    const ChartFrame f = ComputeFrame(c, clientWidth, clientHeight);
    ChartLayout layout;
    layout.ClientWidth = clientWidth;
    layout.ClientHeight = clientHeight;
    layout.ShowRetentionAxis = c.ShowRetention;
    layout.Plot = f.Plot;
    layout.OutOfSpec = f.OutOfSpec;
    layout.XStep = f.XStep;
    layout.XIntervals = f.XIntervals;
    layout.XScale = f.XScale;
    layout.XTickDistance = f.XTickDistance;
    layout.YMaximum = f.YMaximum;
    layout.YExponent = f.YExponent;
    layout.YStep = f.YStep;
    layout.YIntervals = f.YIntervals;
    layout.YScale = f.YScale;
    layout.YTickDistance = f.YTickDistance;
    layout.OperatingX = f.OperatingX;
    layout.OperatingY = f.OperatingY;
    layout.InSpec = f.InSpec;
    layout.InSpecYears = f.InSpecYears;
    const ChartRect& plot = f.Plot;
    const double yMaximum = f.YMaximum;
    const int64_t plotHeight = f.PlotHeight;

    // 5. Lifetime ticks. The pixel advances by the rounded-up tick distance, so the
    // ticks drift from the exact pixels of their values; none passes plot right.
    {
        ChartTicks& ticks = layout.XTicks;
        ticks.Count = TickCount(layout.XIntervals);
        int value = c.XMinimum;
        int pixel = plot.Left;
        for (int i = 0; i < ticks.Count; ++i) {
            ticks.Items[i] = {static_cast<double>(value), pixel};
            value += layout.XStep;
            if (c.XMaximum < static_cast<float>(value)) {
                value = Truncate(c.XMaximum);
            }
            const int64_t next = static_cast<int64_t>(pixel) + layout.XTickDistance;
            pixel = next > plot.Right ? plot.Right : ClampToInt(next);
        }
    }

    // 6. Cycles ticks.
    {
        ChartTicks& ticks = layout.YTicks;
        ticks.Count = TickCount(layout.YIntervals);
        float value = 0.0f;
        int pixel = plot.Bottom;
        for (int i = 0; i < ticks.Count; ++i) {
            ticks.Items[i] = {static_cast<double>(value), pixel};
            value = static_cast<float>(value + layout.YStep);
            if (value > yMaximum) {
                value = static_cast<float>(yMaximum);
            }
            pixel = Truncate(plot.Bottom - (i + 1) * static_cast<double>(layout.YTickDistance));
            if (pixel < plot.Top) {
                pixel = plot.Top;
            }
        }
    }

    // 10. Retention axis: 0 to 21 years over the plot height; its last tick sits one
    // pixel above the plot.
    {
        const float scaledHeight = static_cast<float>(static_cast<double>(plotHeight) * 0.1);
        const float distance
            = static_cast<float>((2 * static_cast<double>(scaledHeight) / kRetentionYears) / 0.1);
        ChartTicks& ticks = layout.RetentionTicks;
        ticks.Count = kRetentionIntervals + 1;
        double value = 0.0;
        int pixel = plot.Bottom;
        for (int i = 0; i < ticks.Count; ++i) {
            ticks.Items[i] = {value, pixel};
            value += kRetentionStep;
            if (value > kRetentionYears) {
                value = kRetentionYears;
            }
            pixel = Truncate(plot.Bottom - (i + 1) * static_cast<double>(distance));
            if (pixel < plot.Top) {
                pixel = plot.Top - 1;
            }
        }
    }

    return layout;
}

void ChartModel::SetupChart(float xMaximum, double yMaximum, double yMinimum, std::string xTitle,
    std::string yTitle, ChartColor inSpec, ChartColor outOfSpec, ChartColor background,
    int lifetimeLimit, int cyclesLimit)
{
    m_scales.XMaximum = xMaximum;
    m_yMaximum = yMaximum;
    m_scales.YMinimum = yMinimum;
    m_xTitle = std::move(xTitle);
    m_yTitle = std::move(yTitle);
    m_inSpecColor = inSpec;
    m_outOfSpecColor = outOfSpec;
    m_background = background;
    m_scales.LifetimeLimit = lifetimeLimit;
    m_scales.CyclesLimit = cyclesLimit;
    m_scales.XMinimum = 0;
    // An empty range would leave the axis without a scale; fall back to the limits.
    if (m_scales.XMaximum == static_cast<float>(m_scales.XMinimum)) {
        m_scales.XMaximum = static_cast<float>(lifetimeLimit);
    }
    if (m_scales.YMinimum == m_yMaximum) {
        m_yMaximum = cyclesLimit;
    }
}

} // namespace eee
