// A report document as one self-contained HTML file: the styles inline and the chart
// embedded as SVG, drawn by the chart's own painter.
#pragma once

#include "report/ReportDocument.h"

#include <QByteArray>

namespace eee {

// The document as UTF-8 HTML. Needs a QGuiApplication (the chart's fonts).
QByteArray MakeHtml(const ReportDocument& document);

// The chart as an SVG picture of the window chart's size, without the XML prolog.
QByteArray ChartSvg(const ChartModel& chart);

} // namespace eee
