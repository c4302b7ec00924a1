// The plot of a sweep's points, for the window, eee-calc-cli and the report alike.
#pragma once

#include "calc/Sweep.h"
#include "chart/SweepPlot.h"

#include <vector>

namespace eee {

SweepPlot MakeSweepPlot(const SweepRequest& request, const std::vector<SweepPoint>& points);

// The plot as an image file's bytes: SVG when the name ends in .svg, else PNG. Empty
// when it could not be drawn.
QByteArray SweepPlotFile(const SweepPlot& plot, const QString& fileName, int width, int height);

} // namespace eee
