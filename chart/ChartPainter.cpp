// Draws the chart with the layout of the model. Fills, tick marks and texts are
// pixel-aligned and drawn without antialiasing; only the operating line is smoothed.

#include "chart/ChartPainter.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>

#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QRawFont>
#include <QRect>
#include <QString>
#include <vector>

#include <algorithm>
#include <cmath>

namespace eee {
namespace {

// Cell heights (ascent plus descent) of the chart's fonts, in pixels.
constexpr int kXTitleFontHeight = 14;
constexpr int kYTitleFontHeight = 16;
constexpr int kLabelFontHeight = 12;
constexpr int kExponentFontHeight = 10;

// Tick marks are 1 pixel wide and this long; on the lifetime axis they start two
// pixels inside the plot.
constexpr int kTickLength = 5;
constexpr int kXTickInset = 2;
constexpr int kSideTickLength = 7;

// The operating line and its arrowhead.
constexpr double kOperatingLineWidth = 2.0;
constexpr double kArrowLength = 5.0 * kOperatingLineWidth;
constexpr double kArrowHalfWidth = 1.75 * kOperatingLineWidth;

QColor ToQColor(ChartColor colour)
{
    return QColor(colour.R, colour.G, colour.B);
}

// Fills left/top inclusive, right/bottom exclusive; an empty or inverted rectangle
// fills nothing.
void FillRect(QPainter& painter, int left, int top, int right, int bottom, const QColor& colour)
{
    if (right > left && bottom > top) {
        painter.fillRect(QRect(left, top, right - left, bottom - top), colour);
    }
}

void FillRect(QPainter& painter, const ChartRect& rect, const QColor& colour)
{
    FillRect(painter, rect.Left, rect.Top, rect.Right, rect.Bottom, colour);
}

// The chart's face at a pixel size.
QFont ChartFace(int pixelSize)
{
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setPixelSize(pixelSize);
    return font;
}

// The cell of a face as QFontMetrics::height() gives it: ascent and descent, each rounded.
int CellHeight(const QRawFont& face)
{
    return qRound(face.ascent()) + qRound(face.descent());
}

// Draws a text with its top-left corner at (x, y) in the painter's current
// coordinates, on a box of the background colour as tall as the font's cell.
// Returns the text's width.
int DrawOpaqueText(QPainter& painter, int x, int y, const QString& text, const QColor& background)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(text);
    FillRect(painter, x, y, x + width, y + metrics.height(), background);
    painter.drawText(x, y + metrics.ascent(), text);
    return width;
}

void DrawXTitle(QPainter& painter, const ChartLayout& layout, const QString& title,
    const QFont& font, const QColor& background)
{
    painter.setFont(font);
    const int width = painter.fontMetrics().horizontalAdvance(title);
    const int x = layout.ClientWidth / 2 - width / 2;
    DrawOpaqueText(painter, x, layout.Plot.Bottom + 20, title, background);
}

// The y title runs upward, read from bottom to top, starting at the client's left
// edge and centred on the plot's height.
void DrawYTitle(QPainter& painter, const ChartLayout& layout, const QString& title,
    const QFont& font, const QColor& background)
{
    painter.setFont(font);
    const int width = painter.fontMetrics().horizontalAdvance(title);
    const int y = layout.Plot.Top + layout.Plot.Height() / 2 + width / 2;
    painter.save();
    painter.translate(0, y);
    painter.rotate(-90.0);
    DrawOpaqueText(painter, 0, 0, title, background);
    painter.restore();
}

void DrawPlotFill(
    QPainter& painter, const ChartLayout& layout, const QColor& inSpec, const QColor& outOfSpec)
{
    if (layout.OutOfSpec) {
        FillRect(painter, layout.Plot, outOfSpec);
        FillRect(painter, layout.InSpec, inSpec);
    } else {
        FillRect(painter, layout.Plot, inSpec);
    }
}

void DrawXTicks(QPainter& painter, const ChartLayout& layout, const QColor& background)
{
    const int bottom = layout.Plot.Bottom;
    for (const ChartTick& tick : layout.XTicks) {
        DrawOpaqueText(painter, tick.Pixel - 8, bottom + 4,
            QString::number(static_cast<int>(tick.Value)), background);
        // From bottom - 2 upward, the end point excluded.
        FillRect(painter, tick.Pixel, bottom - kXTickInset - kTickLength + 1, tick.Pixel + 1,
            bottom - kXTickInset + 1, Qt::black);
    }
}

void DrawYTicks(QPainter& painter, const ChartLayout& layout, const QColor& background)
{
    const int left = layout.Plot.Left;
    for (const ChartTick& tick : layout.YTicks) {
        DrawOpaqueText(
            painter, left - 25, tick.Pixel - 6, QString::number(tick.Value, 'f', 1), background);
        FillRect(painter, left, tick.Pixel, left + kSideTickLength, tick.Pixel + 1, Qt::black);
    }
}

// "x 10" over the cycles axis with the exponent raised beside it.
void DrawMultiplier(QPainter& painter, const ChartLayout& layout, const QFont& exponentFont,
    const QColor& background)
{
    const int left = layout.Plot.Left;
    const int width
        = DrawOpaqueText(painter, left + 5, 0, QString::asprintf("%c 10", 'x'), background);
    painter.save();
    painter.setFont(exponentFont);
    DrawOpaqueText(painter, left + 7 + width, 0, QString::number(layout.YExponent), background);
    painter.restore();
}

// The dashed line from the plot's origin to the operating point, with a solid
// arrowhead whose tip is the operating point.
void DrawOperatingLine(QPainter& painter, const ChartLayout& layout)
{
    const QPointF origin(layout.Plot.Left, layout.Plot.Bottom);
    const QPointF tip(layout.OperatingX, layout.OperatingY);
    const QLineF line(origin, tip);
    const double length = line.length();
    if (!(length > 0.0) || !std::isfinite(length)) {
        return;
    }
    const QPointF direction = (tip - origin) / length;
    const QPointF normal(-direction.y(), direction.x());
    // The dashes stop at the base of the head so no flat dash end pokes past its sides.
    const double headLength = std::min(kArrowLength, length);
    const QPointF base = tip - direction * headLength;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QColor black(0, 0, 0, 255);
    QPen pen(black, kOperatingLineWidth, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (length > headLength) {
        painter.drawLine(QLineF(origin, base));
    }
    const QPolygonF head {tip, base + normal * kArrowHalfWidth, base - normal * kArrowHalfWidth};
    painter.setPen(Qt::NoPen);
    painter.setBrush(black);
    painter.drawPolygon(head);
    painter.restore();
}

// The fixed data-retention scale on the right of the plot: numbers only, no title.
void DrawRetentionAxis(QPainter& painter, const ChartLayout& layout, const QColor& background)
{
    const int right = layout.Plot.Right;
    for (const ChartTick& tick : layout.RetentionTicks) {
        DrawOpaqueText(
            painter, right + 5, tick.Pixel - 7, QString::number(tick.Value, 'f', 1), background);
        // From plot right leftward, the end point excluded.
        FillRect(
            painter, right - kSideTickLength + 1, tick.Pixel, right + 1, tick.Pixel + 1, Qt::black);
    }
}

} // namespace

// The face is loaded at the labels' cell height, which needs measuring in any case,
// and measured at the other heights as it scales to them, so that no font is loaded only
// to be measured; a face that does not scale, or does not measure as QFontMetrics does,
// is loaded at each height instead.
ChartFontSizes MeasureChartFonts()
{
    const QFont labelFace = ChartFace(kLabelFontHeight);
    const int labelCell = QFontMetrics(labelFace).height();
    const QRawFont face = QRawFont::fromFont(labelFace);
    const bool scales = face.isValid() && CellHeight(face) == labelCell;
    const auto cellAt = [&](int pixelSize) {
        if (pixelSize == kLabelFontHeight)
            return labelCell;
        if (scales) {
            QRawFont scaled = face;
            scaled.setPixelSize(pixelSize);
            if (scaled.isValid())
                return CellHeight(scaled);
        }
        return QFontMetrics(ChartFace(pixelSize)).height();
    };
    const auto fit = [&](int cellHeight) {
        const int measured = cellAt(cellHeight);
        if (measured <= cellHeight)
            return cellHeight;
        const double em = static_cast<double>(cellHeight) * cellHeight / measured;
        return std::max(1, static_cast<int>(std::lround(em)));
    };
    return {fit(kXTitleFontHeight), fit(kYTitleFontHeight), fit(kLabelFontHeight),
        fit(kExponentFontHeight)};
}

ChartLayout PaintChart(QPainter& painter, const ChartModel& model, int width, int height)
{
    const ChartLayout layout = model.Layout(width, height);
    const QColor background = ToQColor(model.BackgroundColor());

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBrush(Qt::NoBrush);

    FillRect(painter, 0, 0, width, height, background);
    painter.setPen(Qt::black);

    // The sizes depend on the face alone: measured at the first paint, kept for the others.
    static const ChartFontSizes sizes = MeasureChartFonts();
    DrawXTitle(painter, layout, QString::fromStdString(model.XTitle()), ChartFace(sizes.XTitle),
        background);
    DrawYTitle(painter, layout, QString::fromStdString(model.YTitle()), ChartFace(sizes.YTitle),
        background);

    painter.setFont(ChartFace(sizes.Label));
    DrawPlotFill(painter, layout, ToQColor(model.InSpecColor()), ToQColor(model.OutOfSpecColor()));
    DrawXTicks(painter, layout, background);
    DrawYTicks(painter, layout, background);
    if (layout.YExponent > 0) {
        DrawMultiplier(painter, layout, ChartFace(sizes.Exponent), background);
    }

    DrawOperatingLine(painter, layout);

    if (layout.ShowRetentionAxis) {
        DrawRetentionAxis(painter, layout, background);
    }

    painter.restore();
    return layout;
}

} // namespace eee
