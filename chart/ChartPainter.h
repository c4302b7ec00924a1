// Drawing of the envelope chart onto any Qt paint device.
#pragma once

#include "chart/ChartModel.h"

class QPainter;

namespace eee {

// Paints the whole chart for a client area of width x height pixels whose top-left
// corner is the painter's origin: background, plot fills, ticks and numbers, titles,
// multiplier, retention axis and the operating line. Returns the layout it drew
// with; like every repaint it leaves the new y maximum and in-spec years in the
// model (the window notifies its parent afterwards). The painter's state is
// restored before returning.
ChartLayout PaintChart(QPainter& painter, const ChartModel& model, int width, int height);

} // namespace eee
