#include "chart/WearBars.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace eee {

namespace {

constexpr double kLeftMargin = 64.0;
constexpr double kRightMargin = 12.0;
constexpr double kTopMargin = 24.0;
constexpr double kBottomMargin = 24.0;
constexpr double kHeadroom = 1.08; // above the highest bar or line, for its text
constexpr double kBarShare = 0.6; // of a block's slot
constexpr double kWidestBar = 90.0;
const QColor kGrid(220, 220, 220);

// A step of 1, 2 or 5 times a power of ten, at least 1, that divides the height into at
// most about five parts.
double TickStep(double height)
{
    const double rough = height / 5.0;
    if (!(rough > 1.0))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10.0 * power;
}

QString TickText(double value)
{
    return QLocale(QLocale::English).toString(static_cast<qlonglong>(std::llround(value)));
}

// A line's name on a white ground, readable over a bar.
void DrawName(QPainter& painter, const QRectF& room, Qt::Alignment align, const QString& text,
    const QColor& colour)
{
    const QRectF used = painter.boundingRect(room, align | Qt::AlignVCenter, text);
    painter.fillRect(used.adjusted(-2.0, 0.0, 2.0, 0.0), Qt::white);
    painter.setPen(colour);
    painter.drawText(room, align | Qt::AlignVCenter, text);
}

} // namespace

WearBarsLayout MakeWearBarsLayout(const WearBarsContent& content, QSizeF size)
{
    WearBarsLayout layout;
    if (content.Bars.empty())
        return layout;
    double highest = std::max(content.Estimate, 0.0);
    for (const WearBarsContent::Bar& bar : content.Bars)
        highest = std::max(highest, bar.Value);
    const double base = highest > 0.0 ? highest : 1.0;
    layout.LimitInScale = content.Limit > 0.0 && content.Limit <= kLimitInScale * base;
    const double height = (layout.LimitInScale ? std::max(base, content.Limit) : base) * kHeadroom;
    layout.TickStep = TickStep(height);
    layout.Top = std::ceil(height / layout.TickStep) * layout.TickStep;

    layout.Plot = QRectF(kLeftMargin, kTopMargin, size.width() - kLeftMargin - kRightMargin,
        size.height() - kTopMargin - kBottomMargin);
    if (layout.Plot.width() <= 0.0 || layout.Plot.height() <= 0.0) {
        layout.Plot = QRectF();
        return layout;
    }
    const QRectF& plot = layout.Plot;
    const auto y = [&](double value) { return plot.bottom() - value / layout.Top * plot.height(); };
    const double slot = plot.width() / static_cast<double>(content.Bars.size());
    const double width = std::min(slot * kBarShare, kWidestBar);
    for (size_t j = 0; j < content.Bars.size(); ++j) {
        const double left = plot.left() + slot * (static_cast<double>(j) + 0.5) - width / 2.0;
        const double top = y(std::max(content.Bars[j].Value, 0.0));
        layout.Bars.emplace_back(left, top, width, plot.bottom() - top);
    }
    layout.EstimateY = y(std::max(content.Estimate, 0.0));
    layout.LimitY = layout.LimitInScale ? y(content.Limit) : plot.top();
    return layout;
}

void PaintWearBars(QPainter& painter, const WearBarsContent& content, QSizeF size)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF whole(QPointF(0.0, 0.0), size);
    painter.fillRect(whole, Qt::white);
    const WearBarsLayout layout = MakeWearBarsLayout(content, size);
    const QRectF& plot = layout.Plot;
    if (plot.isEmpty()) {
        painter.setPen(Qt::darkGray);
        painter.drawText(
            whole.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, content.EmptyText);
        painter.restore();
        return;
    }
    const QFontMetricsF metrics(painter.font());
    const double line = metrics.height();

    // The value ticks and their grid lines.
    for (double value = 0.0; value <= layout.Top + layout.TickStep / 2.0;
         value += layout.TickStep) {
        const double ty = plot.bottom() - value / layout.Top * plot.height();
        painter.setPen(kGrid);
        painter.drawLine(QPointF(plot.left(), ty), QPointF(plot.right(), ty));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0.0, ty - line / 2.0, plot.left() - 6.0, line),
            Qt::AlignRight | Qt::AlignVCenter, TickText(value));
    }

    // The bars, their values above and their blocks below.
    for (size_t j = 0; j < layout.Bars.size(); ++j) {
        const QRectF& bar = layout.Bars[j];
        const WearBarsContent::Bar& shown = content.Bars[j];
        const bool over = content.Limit > 0.0 && shown.Value > content.Limit;
        painter.fillRect(bar, over ? kWearBarOverLimitColour : kWearBarColour);
        painter.setPen(Qt::black);
        const QRectF wide(bar.center().x() - 60.0, 0.0, 120.0, line);
        painter.drawText(
            wide.translated(0.0, bar.top() - line - 1.0), Qt::AlignCenter, shown.ValueText);
        painter.drawText(wide.translated(0.0, plot.bottom() + 4.0), Qt::AlignCenter, shown.Label);
    }
    painter.setPen(Qt::black);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    // The estimate: a dashed line named at its right end.
    QPen estimate(kWearEstimateColour, 2.0, Qt::DashLine);
    painter.setPen(estimate);
    painter.drawLine(
        QPointF(plot.left(), layout.EstimateY), QPointF(plot.right(), layout.EstimateY));

    // The endurance limit: a line, or its name above the plot when it is off the scale.
    if (layout.LimitInScale) {
        painter.setPen(QPen(kWearLimitColour, 2.0));
        painter.drawLine(QPointF(plot.left(), layout.LimitY), QPointF(plot.right(), layout.LimitY));
    }
    // The names of the lines last, over the bars: the estimate's at the right end of its
    // line, the limit's at the left end of its own.
    DrawName(painter, QRectF(plot.left(), layout.EstimateY - line - 1.0, plot.width() - 4.0, line),
        Qt::AlignRight, content.EstimateText, kWearEstimateColour);
    if (layout.LimitInScale) {
        DrawName(painter, QRectF(plot.left() + 4.0, layout.LimitY - line - 1.0, plot.width(), line),
            Qt::AlignLeft, content.LimitText, kWearLimitColour);
    } else if (content.Limit > 0.0) {
        DrawName(painter, QRectF(plot.left(), plot.top() - line - 4.0, plot.width() - 4.0, line),
            Qt::AlignRight, QString::fromUtf8("\u2191 ") + content.LimitText + " (above the scale)",
            kWearLimitColour);
    }
    painter.restore();
}

} // namespace eee
