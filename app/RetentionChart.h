// RetentionChart: a device profile's retention staircase, retention years
// against the cycles per block on a logarithmic axis, with the operating point
// (flash cycles, lifetime) marked in the calculator's in-spec or out-of-spec
// colour. The setters store and repaint; painting only reads. The layout is a
// function of the content and the size alone, so that a test or a report can
// have it without a widget.
#pragma once

#include "calc/Retention.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QPainter;

namespace eee {

inline const QColor kRetentionInSpecColor(0, 255, 0);
inline const QColor kRetentionOutOfSpecColor(255, 0, 0);

class RetentionChart : public QWidget
{
    Q_OBJECT
public:
    enum class Verdict { None, InSpec, OutOfSpec };

    struct OperatingPoint
    {
        double Cycles = 0.0;
        double Years = 0.0;
        Verdict Shown = Verdict::None; // None: marked without a verdict's colour
    };

    struct Content
    {
        std::optional<DeviceProfile> Profile;
        std::optional<OperatingPoint> Point;
    };

    struct Tick
    {
        double Position = 0.0; // x on the cycles axis, y on the years axis
        QString Label;
    };

    struct Layout
    {
        QRectF Plot; // empty when there is nothing to draw
        int FirstDecade = 0; // the cycles axis runs from 10^FirstDecade
        int LastDecade = 1; // to 10^LastDecade
        double TopYears = 1.0; // the years axis runs from 0 to this
        QPolygonF Staircase; // retention years along the cycles, closed on the axis
        std::vector<Tick> CycleTicks;
        std::vector<Tick> YearTicks;
        std::optional<QPointF> Point; // where the operating point is marked
        QColor PointColour;
    };

    explicit RetentionChart(QWidget* parent = nullptr);

    void SetProfile(const DeviceProfile* profile);
    void SetOperatingPoint(std::optional<OperatingPoint> point);
    const Content& Shown() const { return m_content; }

    static Layout MakeLayout(const Content& content, QSizeF size);
    static void Paint(QPainter& painter, const Content& content, QSizeF size);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Content m_content;
};

} // namespace eee
