#include "WearChart.h"

#include <QPainter>

namespace eee {

WearChart::WearChart(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WearChart::SetContent(WearBarsContent content)
{
    m_content = std::move(content);
    update();
}

QSize WearChart::sizeHint() const
{
    return QSize(480, 240);
}

void WearChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintWearBars(painter, m_content, QSizeF(size()));
}

} // namespace eee
