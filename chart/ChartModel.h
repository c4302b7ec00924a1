// The envelope chart (lifetime against erase cycles) without any drawing: what it is given, what it
// keeps, and everything one repaint needs, computed from the client size.
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

// The model of the chart window. Default values are those of a freshly
// constructed chart; the window hands its own through SetupChart.
class ChartModel
{
public:
    void SetupChart(float xMaximum, double yMaximum, double yMinimum, std::string xTitle,
        std::string yTitle, ChartColor inSpec, ChartColor outOfSpec, ChartColor background,
        int lifetimeLimit, int cyclesLimit);
    void SetCyclesLimit(int cyclesLimit) { m_cyclesLimit = cyclesLimit; }
    void SetOperatingPoint(float lifeTime, double cycles);
    void SetRetentionAxis(bool show) { m_showRetention = show; }
    float GetInSpecYears() const { return m_inSpecYears; }

    // Computes the layout of one repaint of a client area of the given size. Like a
    // repaint, it overwrites the y maximum and the in-spec years.
    ChartLayout Layout(int clientWidth, int clientHeight);

    const std::string& XTitle() const { return m_xTitle; }
    const std::string& YTitle() const { return m_yTitle; }
    ChartColor InSpecColor() const { return m_inSpecColor; }
    ChartColor OutOfSpecColor() const { return m_outOfSpecColor; }
    ChartColor BackgroundColor() const { return m_background; }
    float XMaximum() const { return m_xMaximum; }
    double YMaximum() const { return m_yMaximum; }
    double YMinimum() const { return m_yMinimum; }
    int LifetimeLimit() const { return m_lifetimeLimit; }
    int CyclesLimit() const { return m_cyclesLimit; }
    float OperatingLifeTime() const { return m_opLifeTime; }
    double OperatingCycles() const { return m_opCycles; }
    bool RetentionAxisShown() const { return m_showRetention; }

private:
    float m_xMaximum = 20.0f;
    double m_yMaximum = 250000.0;
    int m_xMinimum = 0;
    double m_yMinimum = 0.0;
    std::string m_xTitle = "Application LifeTime (years)";
    std::string m_yTitle = "Estimated Flash Cycles";
    ChartColor m_inSpecColor {0, 255, 0};
    ChartColor m_outOfSpecColor {255, 0, 0};
    int m_lifetimeLimit = 20;
    int m_cyclesLimit = 250000;
    ChartColor m_background {236, 233, 216};
    float m_opLifeTime = 20.0f;
    double m_opCycles = 250000.0;
    float m_inSpecYears = 0.0f;
    bool m_showRetention = true;
};

} // namespace eee
