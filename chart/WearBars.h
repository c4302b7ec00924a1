// The wear chart: the erases of every block as bars, with the cycle estimate and the
// flash's endurance limit as horizontal lines, painted onto any Qt paint device (the
// Wear Simulation window, or an image). The layout is a function of the content and
// the size alone, so that a test can check it without painting.
//
// The scale runs from 0 to a round number above the highest bar and the estimate. The
// endurance limit is drawn where it falls when it is at most kLimitInScale times that
// height; far above it (a lightly worn flash) it would flatten every bar to nothing, so
// it is named at the top of the plot instead, with an arrow that says it is higher.
#pragma once

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace eee {

inline constexpr double kLimitInScale = 4.0;
inline const QColor kWearBarColour(74, 122, 181);
inline const QColor kWearBarOverLimitColour(255, 0, 0); // the red of the calculator's chart
inline const QColor kWearEstimateColour(0, 0, 0);
inline const QColor kWearLimitColour(200, 0, 0);

struct WearBarsContent
{
    struct Bar
    {
        QString Label; // under the bar: "Block 1"
        double Value = 0.0; // erases
        QString ValueText; // over the bar: "13,273"
    };
    std::vector<Bar> Bars;
    double Estimate = 0.0;
    QString EstimateText; // beside its line: "Estimate 10,472"
    double Limit = 0.0;
    QString LimitText; // "Endurance limit 100,000"
    QString EmptyText; // shown instead of a plot without bars
};

struct WearBarsLayout
{
    QRectF Plot; // empty without bars
    double Top = 1.0; // the value at the top of the plot
    double TickStep = 1.0; // between the value ticks, from 0 up to Top
    std::vector<QRectF> Bars;
    double EstimateY = 0.0;
    bool LimitInScale = false;
    double LimitY = 0.0; // when in scale; else the top of the plot
};

WearBarsLayout MakeWearBarsLayout(const WearBarsContent& content, QSizeF size);

// Paints the chart into the rectangle (0, 0, size); the painter's state is restored.
void PaintWearBars(QPainter& painter, const WearBarsContent& content, QSizeF size);

} // namespace eee
