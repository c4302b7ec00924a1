// The plot of a sensitivity sweep: estimated flash cycles against the swept value, the
// endurance limit as a line, in-spec points marked, flash used on a second axis. The
// layout is a pure function of the points and the size, so the window (which names the
// point under the mouse) and an exported file draw and place exactly the same.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

namespace eee {

struct SweepPlotPoint
{
    double X = 0.0; // the value, or its position in a list of block sizes
    QString Label; // the value as the user reads it
    bool Ok = false; // refused points are marked on the axis only
    double Cycles = 0.0;
    bool InSpec = false;
    double FlashUsedBytes = 0.0;
};

struct SweepPlot
{
    QString Parameter; // the x axis title
    std::vector<SweepPlotPoint> Points;
    double CyclesLimit = 100000.0;
};

struct SweepPlotLayout
{
    QRectF Plot; // the area inside the axes
    bool LogX = false;
    bool LogY = false;
    double MinX = 0.0, MaxX = 1.0;
    double MinY = 0.0, MaxY = 1.0; // cycles
    double MaxFlash = 1.0; // bytes, the right axis
    std::vector<QPointF> Cycles; // one position per point (refused ones on the x axis)
    std::vector<QPointF> Flash;
};

SweepPlotLayout LayoutSweepPlot(const SweepPlot& plot, int width, int height);

// The point nearest to `at` within a few pixels, or -1.
int SweepPointAt(const SweepPlotLayout& layout, QPointF at);

// Draws the whole plot with its top-left corner at the painter's origin.
void PaintSweepPlot(QPainter& painter, const SweepPlot& plot, int width, int height);

} // namespace eee
