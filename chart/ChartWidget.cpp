#include "ChartWidget.h"

#include "chart/ChartPainter.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

namespace eee {

ChartWidget::ChartWidget(ChartModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    // Every paint covers the whole widget, so Qt need not erase it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    // The picture is composed off screen and shown in one transfer, so its layers
    // never flicker.
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    {
        QPainter offscreen(&image);
        PaintChart(offscreen, m_model, width(), height());
    }
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    if (QWidget* owner = parentWidget())
        QCoreApplication::postEvent(owner->window(), new QEvent(kChartUpdatedEvent));
}

} // namespace eee
