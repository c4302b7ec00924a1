#include "RetentionChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace eee {

namespace {

constexpr double kLeftMargin = 44.0;
constexpr double kRightMargin = 14.0;
constexpr double kTopMargin = 12.0;
constexpr double kBottomMargin = 36.0;
constexpr double kPointRadius = 5.0;
// Room above the highest step or the lifetime, whichever is higher.
constexpr double kHeadroom = 1.15;
const QColor kStaircaseFill(200, 225, 255);

// "1", "10", "100", "1k", ... "1M", ...
QString DecadeLabel(int decade)
{
    static const char* const kPrefixes[] = {"", "k", "M", "G"};
    const int group = std::clamp(decade / 3, 0, 3);
    return QString::number(static_cast<long long>(std::pow(10.0, decade - 3 * group)))
        + kPrefixes[group];
}

// A step of 1, 2 or 5 times a power of ten that divides top into at most about five parts.
double YearStep(double top)
{
    const double rough = top / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10.0 * power;
}

QColor VerdictColour(RetentionChart::Verdict verdict)
{
    switch (verdict) {
    case RetentionChart::Verdict::InSpec:
        return kRetentionInSpecColor;
    case RetentionChart::Verdict::OutOfSpec:
        return kRetentionOutOfSpecColor;
    case RetentionChart::Verdict::None:
        break;
    }
    return QColor(255, 255, 255);
}

} // namespace

RetentionChart::RetentionChart(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RetentionChart::SetProfile(const DeviceProfile* profile)
{
    m_content.Profile = profile ? std::optional<DeviceProfile>(*profile) : std::nullopt;
    update();
}

void RetentionChart::SetOperatingPoint(std::optional<OperatingPoint> point)
{
    m_content.Point = point;
    update();
}

QSize RetentionChart::sizeHint() const
{
    return QSize(420, 220);
}

RetentionChart::Layout RetentionChart::MakeLayout(const Content& content, QSizeF size)
{
    Layout layout;
    if (!content.Profile || !ProfileProblem(*content.Profile).empty())
        return layout;
    const DeviceProfile& profile = *content.Profile;
    const QRectF plot(kLeftMargin, kTopMargin, size.width() - kLeftMargin - kRightMargin,
        size.height() - kTopMargin - kBottomMargin);
    if (plot.width() < 1.0 || plot.height() < 1.0)
        return layout;
    layout.Plot = plot;

    // The axis starts at the decade below the first tier's end (or below the
    // operating point) and ends a decade beyond the rated endurance, where no
    // tier holds.
    const double endurance = static_cast<double>(profile.EnduranceCycles);
    double lowest = static_cast<double>(profile.Tiers.front().MaxCycles);
    double highest = std::max(endurance, static_cast<double>(profile.Tiers.back().MaxCycles));
    double topYears = 0.0;
    for (const RetentionTier& tier : profile.Tiers)
        topYears = std::max(topYears, tier.Years);
    if (content.Point) {
        if (content.Point->Cycles >= 1.0)
            lowest = std::min(lowest, content.Point->Cycles);
        highest = std::max(highest, content.Point->Cycles);
        topYears = std::max(topYears, content.Point->Years);
    }
    layout.FirstDecade = std::max(0, static_cast<int>(std::ceil(std::log10(lowest))) - 1);
    layout.LastDecade
        = std::max(layout.FirstDecade + 1, static_cast<int>(std::floor(std::log10(highest))) + 1);
    layout.TopYears = topYears * kHeadroom;

    const double decades = layout.LastDecade - layout.FirstDecade;
    const auto x = [&](double cycles) {
        const double decade = cycles > 0.0 ? std::log10(cycles) : layout.FirstDecade;
        const double share = std::clamp((decade - layout.FirstDecade) / decades, 0.0, 1.0);
        return plot.left() + share * plot.width();
    };
    const auto y = [&](double years) {
        return plot.bottom() - std::clamp(years / layout.TopYears, 0.0, 1.0) * plot.height();
    };

    // Each tier holds from the end of the one before to its own cycles; none
    // holds beyond the rated endurance.
    layout.Staircase << QPointF(plot.left(), plot.bottom());
    double from = plot.left();
    for (const RetentionTier& tier : profile.Tiers) {
        const double to = x(std::min(static_cast<double>(tier.MaxCycles), endurance));
        if (to <= from && &tier != &profile.Tiers.front())
            break;
        layout.Staircase << QPointF(from, y(tier.Years)) << QPointF(to, y(tier.Years));
        from = to;
    }
    layout.Staircase << QPointF(from, plot.bottom());

    for (int decade = layout.FirstDecade; decade <= layout.LastDecade; ++decade)
        layout.CycleTicks.push_back({x(std::pow(10.0, decade)), DecadeLabel(decade)});
    const double step = YearStep(layout.TopYears);
    for (double years = 0.0; years <= layout.TopYears + 1e-9; years += step)
        layout.YearTicks.push_back({y(years), QString::number(years)});

    if (content.Point) {
        layout.Point = QPointF(x(content.Point->Cycles), y(content.Point->Years));
        layout.PointColour = VerdictColour(content.Point->Shown);
    }
    return layout;
}

void RetentionChart::Paint(QPainter& painter, const Content& content, QSizeF size)
{
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    const Layout layout = MakeLayout(content, size);
    if (layout.Plot.isEmpty())
        return;
    const QRectF& plot = layout.Plot;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kStaircaseFill);
    painter.drawPolygon(layout.Staircase);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.drawPolyline(layout.Staircase);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    const QFontMetricsF metrics(painter.font());
    for (const Tick& tick : layout.CycleTicks) {
        painter.drawLine(
            QPointF(tick.Position, plot.bottom()), QPointF(tick.Position, plot.bottom() + 4.0));
        const double width = metrics.horizontalAdvance(tick.Label);
        painter.drawText(
            QPointF(tick.Position - width / 2.0, plot.bottom() + 4.0 + metrics.ascent()),
            tick.Label);
    }
    for (const Tick& tick : layout.YearTicks) {
        painter.drawLine(
            QPointF(plot.left() - 4.0, tick.Position), QPointF(plot.left(), tick.Position));
        const double width = metrics.horizontalAdvance(tick.Label);
        painter.drawText(
            QPointF(plot.left() - 6.0 - width, tick.Position + metrics.ascent() / 2.0), tick.Label);
    }
    const QString xTitle = "Cycles per block";
    painter.drawText(QPointF(plot.center().x() - metrics.horizontalAdvance(xTitle) / 2.0,
                         size.height() - metrics.descent() - 1.0),
        xTitle);
    painter.save();
    painter.translate(metrics.ascent() + 1.0, plot.center().y());
    painter.rotate(-90.0);
    const QString yTitle = "Retention years";
    painter.drawText(QPointF(-metrics.horizontalAdvance(yTitle) / 2.0, 0.0), yTitle);
    painter.restore();

    if (layout.Point) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(Qt::black, 1.0));
        painter.setBrush(layout.PointColour);
        painter.drawEllipse(*layout.Point, kPointRadius, kPointRadius);
    }
    painter.restore();
}

void RetentionChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter, m_content, size());
}

} // namespace eee
