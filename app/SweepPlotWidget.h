// The sweep's plot in a window: painted by the same painter as the exported files, and
// naming the point under the mouse.
#pragma once

#include "chart/SweepPlot.h"

#include <QWidget>

namespace eee {

class SweepPlotWidget : public QWidget
{
    Q_OBJECT
public:
    explicit SweepPlotWidget(QWidget* parent = nullptr);

    void SetPlot(SweepPlot plot, std::vector<QString> pointTexts);
    const SweepPlot& Plot() const { return m_plot; }
    // The point under the mouse, -1 for none.
    int Hovered() const { return m_hovered; }

signals:
    // The text of the point under the mouse; empty when there is none.
    void pointHovered(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Hover(int index);

    SweepPlot m_plot;
    std::vector<QString> m_texts;
    int m_hovered = -1;
};

} // namespace eee
