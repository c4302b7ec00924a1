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

// The pixel sizes of the chart's fonts, one for each text it draws. Each font of the
// chart's face has a cell (ascent plus descent) of a set height, so the texts keep the
// proportions the margins of the plot were laid out for: its size (the em, smaller than
// the cell) is the cell height scaled by that height over the face's cell at that size.
struct ChartFontSizes
{
    int XTitle = 0;
    int YTitle = 0;
    int Label = 0; // the numbers of the axes and the multiplier
    int Exponent = 0;
};
ChartFontSizes MeasureChartFonts();

} // namespace eee
