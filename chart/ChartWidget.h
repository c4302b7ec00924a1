// ChartWidget: the envelope chart as a child widget of the main window.
#pragma once

#include "chart/ChartModel.h"

#include <QEvent>
#include <QWidget>

namespace eee {

// Posted (not sent) to the chart's parent after every repaint: the parent reads
// the in-spec years then.
inline constexpr QEvent::Type kChartUpdatedEvent = static_cast<QEvent::Type>(QEvent::User + 1);

class ChartWidget : public QWidget
{
    Q_OBJECT
public:
    // Paints `model`, which the owner keeps; without a parent nothing is created.
    ChartWidget(ChartModel& model, QWidget* parent);

    ChartModel& Model() { return m_model; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartModel& m_model;
};

} // namespace eee
