#include "app/SweepPlotWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace eee {

SweepPlotWidget::SweepPlotWidget(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(480, 300);
}

void SweepPlotWidget::SetPlot(SweepPlot plot, std::vector<QString> pointTexts)
{
    m_plot = std::move(plot);
    m_texts = std::move(pointTexts);
    Hover(-1);
    update();
}

void SweepPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintSweepPlot(painter, m_plot, width(), height());
    if (m_hovered >= 0) {
        const SweepPlotLayout layout = LayoutSweepPlot(m_plot, width(), height());
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(layout.Cycles[static_cast<size_t>(m_hovered)], 6.0, 6.0);
    }
}

void SweepPlotWidget::mouseMoveEvent(QMouseEvent* event)
{
    Hover(SweepPointAt(LayoutSweepPlot(m_plot, width(), height()), event->position()));
}

void SweepPlotWidget::leaveEvent(QEvent*)
{
    Hover(-1);
}

void SweepPlotWidget::Hover(int index)
{
    if (index == m_hovered)
        return;
    m_hovered = index;
    update();
    emit pointHovered(index >= 0 && static_cast<size_t>(index) < m_texts.size()
            ? m_texts[static_cast<size_t>(index)]
            : QString());
}

} // namespace eee
