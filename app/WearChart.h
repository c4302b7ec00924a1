// WearChart: the Wear Simulation window's chart of the erases per block, painted by
// chart/WearBars. Setting the content stores it and repaints; painting only reads.
#pragma once

#include "chart/WearBars.h"

#include <QWidget>

namespace eee {

class WearChart : public QWidget
{
    Q_OBJECT
public:
    explicit WearChart(QWidget* parent = nullptr);

    void SetContent(WearBarsContent content);
    const WearBarsContent& Content() const { return m_content; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    WearBarsContent m_content;
};

} // namespace eee
