#include "report/SweepPlotData.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace eee {

SweepPlot MakeSweepPlot(const SweepRequest& request, const std::vector<SweepPoint>& points)
{
    SweepPlot plot;
    plot.Parameter = QString::fromStdString(request.Name());
    for (const SweepPoint& p : points) {
        plot.Points.push_back(SweepPlotPoint {p.Value.Number, QString::fromStdString(p.Value.Text),
            p.Ok, p.Result.FlashCycles, p.Ok && p.Result.InSpec,
            static_cast<double>(p.Result.FlashUsedBytes)});
    }
    return plot;
}

QByteArray SweepPlotFile(const SweepPlot& plot, const QString& fileName, int width, int height)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (fileName.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setTitle("Sensitivity sweep: " + plot.Parameter);
        QPainter painter(&svg);
        PaintSweepPlot(painter, plot, width, height);
        painter.end();
        return bytes;
    }
    QImage image(width, height, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintSweepPlot(painter, plot, width, height);
    }
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

} // namespace eee
