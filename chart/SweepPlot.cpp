#include "chart/SweepPlot.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace eee {

namespace {

const QColor kCyclesColor(0, 70, 160);
const QColor kFlashColor(150, 90, 0);
const QColor kLimitColor(200, 0, 0);
const QColor kInSpecColor(0, 160, 0);
const QColor kOutOfSpecColor(220, 0, 0);

// Values that span two decades or more are shown on a log axis.
bool SpansDecades(double low, double high)
{
    return low > 0.0 && high / low >= 100.0;
}

double Scale(double value, double low, double high, bool log)
{
    if (log)
        return (std::log10(value) - std::log10(low)) / (std::log10(high) - std::log10(low));
    return high == low ? 0.5 : (value - low) / (high - low);
}

QString AxisNumber(double value)
{
    if (std::abs(value) >= 1e6 || (value != 0.0 && std::abs(value) < 1e-3))
        return QString::number(value, 'g', 3);
    return QString::number(value, 'g', 7);
}

// Tick values of an axis: the powers of ten on a log axis, else five even steps.
std::vector<double> Ticks(double low, double high, bool log)
{
    std::vector<double> ticks;
    if (log) {
        for (double p = std::pow(10.0, std::floor(std::log10(low))); p <= high * 1.0001; p *= 10)
            if (p >= low * 0.9999)
                ticks.push_back(p);
        return ticks;
    }
    for (int k = 0; k <= 4; ++k)
        ticks.push_back(low + (high - low) * k / 4.0);
    return ticks;
}

} // namespace

SweepPlotLayout LayoutSweepPlot(const SweepPlot& plot, int width, int height)
{
    SweepPlotLayout layout;
    layout.Plot = QRectF(70, 30, std::max(40, width - 150), std::max(40, height - 80));
    if (plot.Points.empty())
        return layout;

    double minX = plot.Points.front().X, maxX = minX;
    double minY = plot.CyclesLimit, maxY = plot.CyclesLimit;
    double maxFlash = 0.0;
    for (const SweepPlotPoint& p : plot.Points) {
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        if (!p.Ok)
            continue;
        if (p.Cycles > 0.0)
            minY = std::min(minY, p.Cycles);
        maxY = std::max(maxY, p.Cycles);
        maxFlash = std::max(maxFlash, p.FlashUsedBytes);
    }
    layout.LogX = SpansDecades(minX, maxX);
    layout.LogY = SpansDecades(minY, maxY);
    if (layout.LogY) {
        minY = std::pow(10.0, std::floor(std::log10(minY)));
        maxY = std::pow(10.0, std::ceil(std::log10(maxY)));
    } else {
        minY = 0.0;
        maxY *= 1.1;
    }
    layout.MinX = minX;
    layout.MaxX = maxX;
    layout.MinY = minY;
    layout.MaxY = maxY;
    layout.MaxFlash = maxFlash > 0.0 ? maxFlash * 1.1 : 1.0;

    const QRectF& r = layout.Plot;
    for (const SweepPlotPoint& p : plot.Points) {
        const double x = r.left() + r.width() * Scale(p.X, minX, maxX, layout.LogX);
        const double cycles = layout.LogY ? std::max(p.Cycles, minY) : p.Cycles;
        const double y
            = p.Ok ? r.bottom() - r.height() * Scale(cycles, minY, maxY, layout.LogY) : r.bottom();
        layout.Cycles.emplace_back(x, y);
        layout.Flash.emplace_back(x, r.bottom() - r.height() * p.FlashUsedBytes / layout.MaxFlash);
    }
    return layout;
}

int SweepPointAt(const SweepPlotLayout& layout, QPointF at)
{
    int best = -1;
    double bestDistance = 8.0;
    for (size_t i = 0; i < layout.Cycles.size(); ++i) {
        const double d = std::abs(layout.Cycles[i].x() - at.x());
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

void PaintSweepPlot(QPainter& painter, const SweepPlot& plot, int width, int height)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    QFont font("DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    painter.setFont(font);

    const SweepPlotLayout layout = LayoutSweepPlot(plot, width, height);
    const QRectF& r = layout.Plot;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(r);

    // The value axis.
    if (plot.Points.size() > 0) {
        for (const double t : Ticks(layout.MinX, layout.MaxX, layout.LogX)) {
            const double x = r.left() + r.width() * Scale(t, layout.MinX, layout.MaxX, layout.LogX);
            painter.drawLine(QPointF(x, r.bottom()), QPointF(x, r.bottom() + 4));
            QString label = AxisNumber(t);
            // A list of block sizes is labelled with the sizes themselves.
            for (const SweepPlotPoint& p : plot.Points)
                if (p.X == t && !p.Label.isEmpty())
                    label = p.Label;
            painter.drawText(QRectF(x - 40, r.bottom() + 5, 80, 14), Qt::AlignHCenter, label);
        }
        for (const double t : Ticks(layout.MinY, layout.MaxY, layout.LogY)) {
            const double y
                = r.bottom() - r.height() * Scale(t, layout.MinY, layout.MaxY, layout.LogY);
            painter.drawLine(QPointF(r.left() - 4, y), QPointF(r.left(), y));
            painter.drawText(QRectF(0, y - 7, r.left() - 6, 14), Qt::AlignRight | Qt::AlignVCenter,
                AxisNumber(t));
        }
        painter.setPen(kFlashColor);
        for (int k = 0; k <= 4; ++k) {
            const double y = r.bottom() - r.height() * k / 4.0;
            painter.drawLine(QPointF(r.right(), y), QPointF(r.right() + 4, y));
            painter.drawText(QRectF(r.right() + 6, y - 7, 74, 14), Qt::AlignLeft | Qt::AlignVCenter,
                AxisNumber(layout.MaxFlash * k / 4.0 / 1024.0) + " KB");
        }
    }
    painter.setPen(Qt::black);
    painter.drawText(QRectF(r.left(), r.bottom() + 22, r.width(), 16), Qt::AlignHCenter,
        plot.Parameter + (layout.LogX ? " (log)" : ""));
    painter.drawText(QRectF(4, 6, width - 8, 18), Qt::AlignLeft,
        QString("Estimated Flash Cycles%1").arg(layout.LogY ? " (log)" : ""));
    painter.setPen(kFlashColor);
    painter.drawText(QRectF(4, 6, width - 8, 18), Qt::AlignRight, "Flash used");

    // The endurance limit.
    const double limitY
        = r.bottom() - r.height() * Scale(plot.CyclesLimit, layout.MinY, layout.MaxY, layout.LogY);
    painter.setPen(QPen(kLimitColor, 1, Qt::DashLine));
    painter.drawLine(QPointF(r.left(), limitY), QPointF(r.right(), limitY));
    painter.drawText(QRectF(r.left() + 4, limitY - 15, r.width() - 8, 14), Qt::AlignLeft,
        QString("Endurance limit %1").arg(AxisNumber(plot.CyclesLimit)));

    // Flash used, then the cycles with each point marked in or out of spec.
    QPainterPath flash, cycles;
    bool flashStarted = false, cyclesStarted = false;
    for (size_t i = 0; i < plot.Points.size(); ++i) {
        if (!plot.Points[i].Ok)
            continue;
        flashStarted ? flash.lineTo(layout.Flash[i]) : flash.moveTo(layout.Flash[i]);
        cyclesStarted ? cycles.lineTo(layout.Cycles[i]) : cycles.moveTo(layout.Cycles[i]);
        flashStarted = cyclesStarted = true;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFlashColor, 1, Qt::DotLine));
    painter.drawPath(flash);
    painter.setPen(QPen(kCyclesColor, 1.5));
    painter.drawPath(cycles);
    for (size_t i = 0; i < plot.Points.size(); ++i) {
        const SweepPlotPoint& p = plot.Points[i];
        if (!p.Ok) {
            painter.setPen(QPen(Qt::gray, 1.5));
            const QPointF c = layout.Cycles[i];
            painter.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
            painter.drawLine(c + QPointF(-3, 3), c + QPointF(3, -3));
            continue;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(p.InSpec ? kInSpecColor : kOutOfSpecColor);
        painter.drawEllipse(layout.Cycles[i], 3.0, 3.0);
    }

    // The legend.
    const double legendY = height - 16.0;
    painter.setBrush(kInSpecColor);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(r.left() + 4, legendY), 3.0, 3.0);
    painter.setBrush(kOutOfSpecColor);
    painter.drawEllipse(QPointF(r.left() + 74, legendY), 3.0, 3.0);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(r.left() + 10, legendY + 4), "In Spec");
    painter.drawText(QPointF(r.left() + 80, legendY + 4), "Out of Spec");
    painter.setPen(Qt::gray);
    painter.drawText(QPointF(r.left() + 160, legendY + 4), "x refused");
    painter.restore();
}

} // namespace eee
