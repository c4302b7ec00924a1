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
    // Qt composes the window in its backing store and shows it in one transfer, so
    // the chart's layers never flicker.
    QPainter painter(this);
    PaintChart(painter, m_model, width(), height());
    if (QWidget* owner = parentWidget())
        QCoreApplication::postEvent(owner->window(), new QEvent(kChartUpdatedEvent));
}

} // namespace eee
