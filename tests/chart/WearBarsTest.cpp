// The wear chart's layout and painting: bars in proportion to the erases, the estimate
// and the endurance limit where their values fall, the limit named above a scale it
// would flatten, and a bar above the limit in the calculator's red.
//
// Set EEE_CHART_PNG_DIR to a folder to keep the painted images for a look.
#include "chart/WearBars.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace eee {
namespace {

const QSizeF kSize(480, 240);

WearBarsContent Content(std::vector<double> erases, double estimate, double limit = 100000)
{
    WearBarsContent content;
    for (size_t j = 0; j < erases.size(); ++j)
        content.Bars.push_back(
            {QString("Block %1").arg(j + 1), erases[j], QString::number(erases[j])});
    content.Estimate = estimate;
    content.EstimateText = "Estimate";
    content.Limit = limit;
    content.LimitText = "Endurance limit";
    content.EmptyText = "Nothing";
    return content;
}

// The value at a height of the plot.
double ValueAt(const WearBarsLayout& layout, double y)
{
    return (layout.Plot.bottom() - y) / layout.Plot.height() * layout.Top;
}

TEST(WearBarsLayout, BarsAndLinesStandAtTheirValues)
{
    const WearBarsLayout layout = MakeWearBarsLayout(Content({60000, 30000, 0}, 45000), kSize);
    ASSERT_FALSE(layout.Plot.isEmpty());
    ASSERT_EQ(layout.Bars.size(), 3u);
    EXPECT_NEAR(ValueAt(layout, layout.Bars[0].top()), 60000, 1e-6);
    EXPECT_NEAR(ValueAt(layout, layout.Bars[1].top()), 30000, 1e-6);
    EXPECT_NEAR(layout.Bars[2].height(), 0.0, 1e-9);
    EXPECT_NEAR(ValueAt(layout, layout.EstimateY), 45000, 1e-6);
    ASSERT_TRUE(layout.LimitInScale);
    EXPECT_NEAR(ValueAt(layout, layout.LimitY), 100000, 1e-6);
    // The scale is a whole number of ticks above the limit; the bars stand side by side in it.
    EXPECT_GT(layout.Top, 100000);
    EXPECT_DOUBLE_EQ(std::fmod(layout.Top, layout.TickStep), 0.0);
    for (size_t j = 0; j < layout.Bars.size(); ++j) {
        EXPECT_TRUE(layout.Plot.contains(layout.Bars[j].bottomLeft())) << j;
        if (j > 0) {
            EXPECT_GT(layout.Bars[j].left(), layout.Bars[j - 1].right());
        }
    }
}

TEST(WearBarsLayout, LimitFarAboveTheWearIsNamedInsteadOfScaled)
{
    const WearBarsLayout layout = MakeWearBarsLayout(Content({13273, 13272}, 10472), kSize);
    EXPECT_FALSE(layout.LimitInScale);
    EXPECT_LT(layout.Top, 2 * 13273.0);
    EXPECT_GT(layout.Top, 13273.0);
    EXPECT_DOUBLE_EQ(layout.LimitY, layout.Plot.top());
}

TEST(WearBarsLayout, NoBarsNoPlot)
{
    EXPECT_TRUE(MakeWearBarsLayout(Content({}, 10472), kSize).Plot.isEmpty());
}

QImage Paint(const WearBarsContent& content, const char* name)
{
    QImage image(kSize.toSize(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    PaintWearBars(painter, content, kSize);
    painter.end();
    if (const QByteArray dir = qgetenv("EEE_CHART_PNG_DIR"); !dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString(name) + ".png"));
    return image;
}

TEST(WearBarsPaint, BarsAboveTheLimitAreRed)
{
    const WearBarsContent content = Content({120000, 50000}, 90000);
    const WearBarsLayout layout = MakeWearBarsLayout(content, kSize);
    const QImage image = Paint(content, "wear-bars-over-limit");
    const auto colourAt
        = [&](const QRectF& bar) { return QColor(image.pixel(bar.center().toPoint())); };
    EXPECT_EQ(colourAt(layout.Bars[0]), kWearBarOverLimitColour);
    EXPECT_EQ(colourAt(layout.Bars[1]), kWearBarColour);
    EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(Qt::white)); // the whole area is painted
}

} // namespace
} // namespace eee
