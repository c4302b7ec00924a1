// The envelope chart (lifetime against erase cycles) without any drawing: what it is given, what it
// keeps, and everything one repaint needs, computed from the client size. Layouts are pure
// functions of the stored values and the size: painting never changes the model.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace eee {

// A colour as red, green, blue.
struct ChartColor
{
    uint8_t R = 0, G = 0, B = 0;
    bool operator==(const ChartColor&) const = default;
};

struct ChartRect
{
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const ChartRect&) const = default;
};

// One tick of an axis: its value and its pixel (x for the lifetime axis, y for the others).
struct ChartTick
{
    double Value = 0.0; // lifetime ticks hold whole years; the others single-precision values
    int Pixel = 0;
};

inline constexpr int kMaxChartTicks = 64;

// The client area of the main window's chart. The in-spec years the calculator reports are
// measured on this pixel grid, whoever asks for them: the window, eee-calc-cli or a report.
inline constexpr int kChartWidth = 338;
inline constexpr int kChartHeight = 236;

struct ChartTicks
{
    std::array<ChartTick, kMaxChartTicks> Items {};
    int Count = 0;
    const ChartTick* begin() const { return Items.data(); }
    const ChartTick* end() const { return Items.data() + Count; }
};

// Everything a repaint draws with.
struct ChartLayout
{
    int ClientWidth = 0, ClientHeight = 0;
    ChartRect Plot; // plot rectangle
    bool OutOfSpec = false;

    int XStep = 0; // years between lifetime ticks
    int XIntervals = 0;
    float XScale = 0.0f; // pixel scale s_x
    int XTickDistance = 0; // t_x
    ChartTicks XTicks;

    double YMaximum = 0.0; // scaled maximum of the cycles axis (mantissa)
    int YExponent = 0; // multiplier exponent e; the multiplier is shown when e > 0
    int YStep = 0;
    int YIntervals = 0;
    float YScale = 0.0f; // s_y
    float YTickDistance = 0.0f; // t_y
    ChartTicks YTicks;

    int OperatingX = 0, OperatingY = 0; // operating point pixels
    ChartRect InSpec; // in-spec rectangle
    float InSpecYears = 0.0f;

    bool ShowRetentionAxis = false;
    ChartTicks RetentionTicks;
};

// A value written as "%E" with six decimals, split into its mantissa and exponent
// and read back: how the cycles axis finds its scale.
struct ScientificParts
{
    double Mantissa = 0.0;
    int MantissaWhole = 0;
    int Exponent = 0;
};
ScientificParts SplitScientific(double value);

// The numbers a layout is computed from.
struct ChartScales
{
    float XMaximum = 20.0f;
    int XMinimum = 0;
    double YMinimum = 0.0;
    int LifetimeLimit = 20;
    int CyclesLimit = 250000;
    float OpLifeTime = 20.0f;
    double OpCycles = 250000.0;
    bool ShowRetention = true;

    // Takes the operating point; a lifetime or cycle count of 0 or less stands for the limit,
    // and the lifetime axis always reaches at least the lifetime limit.
    void SetOperatingPoint(float lifeTime, double cycles);
};

// Everything a repaint of a client area of the given size draws with.
ChartLayout LayoutChart(const ChartScales& scales, int clientWidth, int clientHeight);

// The in-spec years alone, exactly as LayoutChart computes them, without the ticks.
float InSpecYears(
    const ChartScales& scales, int clientWidth = kChartWidth, int clientHeight = kChartHeight);

// The in-spec years of the main window's chart for one operating point.
float EnvelopeInSpecYears(float lifeTime, double cycles, int lifetimeLimit, int cyclesLimit);

// The model of the chart window. Default values are those of a freshly
// constructed chart; the window hands its own through SetupChart.
class ChartModel
{
public:
    void SetupChart(float xMaximum, double yMaximum, double yMinimum, std::string xTitle,
        std::string yTitle, ChartColor inSpec, ChartColor outOfSpec, ChartColor background,
        int lifetimeLimit, int cyclesLimit);
    void SetCyclesLimit(int cyclesLimit) { m_scales.CyclesLimit = cyclesLimit; }
    void SetOperatingPoint(float lifeTime, double cycles)
    {
        m_scales.SetOperatingPoint(lifeTime, cycles);
    }
    void SetRetentionAxis(bool show) { m_scales.ShowRetention = show; }
    // The in-spec years of the operating point on the window's own chart.
    float GetInSpecYears() const { return InSpecYears(m_scales); }

    // The layout of one repaint of a client area of the given size.
    ChartLayout Layout(int clientWidth, int clientHeight) const
    {
        return LayoutChart(m_scales, clientWidth, clientHeight);
    }

    const ChartScales& Scales() const { return m_scales; }
    const std::string& XTitle() const { return m_xTitle; }
    const std::string& YTitle() const { return m_yTitle; }
    ChartColor InSpecColor() const { return m_inSpecColor; }
    ChartColor OutOfSpecColor() const { return m_outOfSpecColor; }
    ChartColor BackgroundColor() const { return m_background; }
    float XMaximum() const { return m_scales.XMaximum; }
    // The maximum the chart was set up with; each layout scales the cycles axis anew.
    double YMaximum() const { return m_yMaximum; }
    double YMinimum() const { return m_scales.YMinimum; }
    int LifetimeLimit() const { return m_scales.LifetimeLimit; }
    int CyclesLimit() const { return m_scales.CyclesLimit; }
    float OperatingLifeTime() const { return m_scales.OpLifeTime; }
    double OperatingCycles() const { return m_scales.OpCycles; }
    bool RetentionAxisShown() const { return m_scales.ShowRetention; }

private:
    ChartScales m_scales;
    double m_yMaximum = 250000.0;
    std::string m_xTitle = "Application LifeTime (years)";
    std::string m_yTitle = "Estimated Flash Cycles";
    ChartColor m_inSpecColor {0, 255, 0};
    ChartColor m_outOfSpecColor {255, 0, 0};
    ChartColor m_background {236, 233, 216};
};

} // namespace eee
