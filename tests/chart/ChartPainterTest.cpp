// The chart painted into an image of the main window's 338 x 236 chart.
//
// Set EEE_CHART_PNG_DIR to a folder to keep the painted images for a look.

#include "chart/ChartPainter.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace eee {
namespace {

constexpr int kWidth = 338;
constexpr int kHeight = 236;

const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBackground = qRgb(236, 233, 216);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kUnpainted = qRgb(255, 0, 255);

const ChartRect kPlot {40, 18, 288, 196};

ChartModel MainWindowChart()
{
    ChartModel model;
    model.SetupChart(20.0f, 50.0, 0.0, "Application LifeTime (in years)", "Estimated Flash Cycles",
        {0, 255, 0}, {255, 0, 0}, {236, 233, 216}, 20, 100000);
    model.SetCyclesLimit(100000);
    return model;
}

QImage Paint(ChartModel& model, ChartLayout* layout = nullptr)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kUnpainted);
    QPainter painter(&image);
    const ChartLayout drawn = PaintChart(painter, model, kWidth, kHeight);
    painter.end();
    if (layout) {
        *layout = drawn;
    }
    return image;
}

void KeepImage(const QImage& image, const std::string& name)
{
    const QByteArray folder = qgetenv("EEE_CHART_PNG_DIR");
    if (!folder.isEmpty()) {
        image.save(QDir(QString::fromLocal8Bit(folder))
                       .filePath(QStringLiteral("chart_%1.png").arg(QString::fromStdString(name))));
    }
}

bool IsDark(QRgb pixel)
{
    return qRed(pixel) < 96 && qGreen(pixel) < 96 && qBlue(pixel) < 96;
}

bool Inside(const ChartRect& rect, int x, int y)
{
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

struct Pixel
{
    int X, Y;
    QRgb Colour;
};

struct PaintCase
{
    const char* Name = "";
    float LifeTime = 0.0f;
    double Cycles = 0.0;
    bool Retention = true;
    ChartRect InSpec = kPlot;
    std::vector<Pixel> Pixels = {};
};

class ChartPaintTest : public ::testing::TestWithParam<PaintCase>
{
protected:
    void SetUp() override
    {
        const PaintCase& c = GetParam();
        model = MainWindowChart();
        model.SetRetentionAxis(c.Retention);
        model.SetOperatingPoint(c.LifeTime, c.Cycles);
        image = Paint(model, &layout);
        KeepImage(image, c.Name);
    }

    QRgb At(int x, int y) const { return image.pixel(x, y); }

    ChartModel model;
    ChartLayout layout;
    QImage image;
};

TEST_P(ChartPaintTest, CoversTheWindowWithTheBackground)
{
    for (const auto& [x, y] : {std::pair {0, 0}, std::pair {kWidth - 1, 0},
             std::pair {0, kHeight - 1}, std::pair {kWidth - 1, kHeight - 1}}) {
        EXPECT_EQ(At(x, y), kBackground) << x << "," << y;
    }
    int unpainted = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            unpainted += At(x, y) == kUnpainted;
        }
    }
    EXPECT_EQ(unpainted, 0);
}

// Inside the plot every pixel that is not a mark, number or the line has the colour
// of its region, and no pixel shows the colour of the other region.
TEST_P(ChartPaintTest, FillsTheRegions)
{
    const PaintCase& c = GetParam();
    int expected = 0, wrong = 0;
    for (int y = kPlot.Top; y < kPlot.Bottom; ++y) {
        for (int x = kPlot.Left; x < kPlot.Right; ++x) {
            const bool inSpec = Inside(c.InSpec, x, y);
            const QRgb pixel = At(x, y);
            expected += pixel == (inSpec ? kGreen : kRed);
            wrong += pixel == (inSpec ? kRed : kGreen);
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(expected, kPlot.Width() * kPlot.Height() * 9 / 10);
    if (c.InSpec == kPlot) {
        int red = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                red += At(x, y) == kRed;
            }
        }
        EXPECT_EQ(red, 0);
    }
    // The plot has no outline: the pixels just outside are background.
    EXPECT_EQ(At(kPlot.Right + 1, 100), kBackground);
    EXPECT_EQ(At(kPlot.Left - 1, 100), kBackground);
    EXPECT_EQ(At(150, kPlot.Top - 1), kBackground);
    EXPECT_EQ(At(150, kPlot.Bottom), kBackground);
    for (const Pixel& p : c.Pixels) {
        EXPECT_EQ(QColor(At(p.X, p.Y)).name().toStdString(), QColor(p.Colour).name().toStdString())
            << p.X << "," << p.Y;
    }
}

TEST_P(ChartPaintTest, DrawsTheTickMarks)
{
    const int bottom = kPlot.Bottom;
    for (const ChartTick& tick : layout.XTicks) {
        for (int y = bottom - 6; y <= bottom - 2; ++y) {
            EXPECT_EQ(At(tick.Pixel, y), kBlack) << "x tick " << tick.Value << " row " << y;
        }
        if (tick.Pixel >= 60) {
            EXPECT_NE(At(tick.Pixel, bottom - 7), kBlack) << "x tick " << tick.Value;
            EXPECT_NE(At(tick.Pixel, bottom - 1), kBlack) << "x tick " << tick.Value;
        }
    }
    for (const ChartTick& tick : layout.YTicks) {
        for (int x = kPlot.Left; x < kPlot.Left + 7; ++x) {
            EXPECT_EQ(At(x, tick.Pixel), kBlack) << "y tick " << tick.Value << " column " << x;
        }
    }
    if (GetParam().Retention) {
        for (const ChartTick& tick : layout.RetentionTicks) {
            for (int x = kPlot.Right - 6; x <= kPlot.Right; ++x) {
                EXPECT_EQ(At(x, tick.Pixel), kBlack) << "retention " << tick.Value;
            }
            EXPECT_NE(At(kPlot.Right - 7, tick.Pixel), kBlack) << "retention " << tick.Value;
        }
    } else {
        // Nothing right of the last x number.
        for (int y = 0; y < kHeight; ++y) {
            for (int x = kPlot.Right + 12; x < kWidth; ++x) {
                ASSERT_EQ(At(x, y), kBackground) << x << "," << y;
            }
        }
    }
}

// The dashed line is dark along its way and solid at the arrowhead.
TEST_P(ChartPaintTest, DrawsTheOperatingLine)
{
    const double x0 = kPlot.Left, y0 = kPlot.Bottom;
    const double x1 = layout.OperatingX, y1 = layout.OperatingY;
    const double length = std::hypot(x1 - x0, y1 - y0);
    int dark = 0, samples = 0;
    for (double t = 0.3; t <= 0.9; t += 0.5 / length) {
        const int x = static_cast<int>(std::floor(x0 + t * (x1 - x0)));
        const int y = static_cast<int>(std::floor(y0 + t * (y1 - y0)));
        ++samples;
        dark += IsDark(At(x, y));
    }
    EXPECT_GT(dark, samples / 3);
    EXPECT_LT(dark, samples) << "the line should be dashed";
    // Just short of the tip, on the line: inside the arrowhead.
    for (double back = 3.0; back <= 7.0; back += 0.5) {
        const int x = static_cast<int>(std::floor(x1 - back * (x1 - x0) / length));
        const int y = static_cast<int>(std::floor(y1 - back * (y1 - y0) / length));
        EXPECT_TRUE(IsDark(At(x, y))) << x << "," << y;
    }
}

// clang-format off
const PaintCase kPaintCases[] = {
    { .Name = "InSpec", .LifeTime = 10.0f, .Cycles = 50000.0,
      .Pixels = { { 287, 19, kGreen }, { 250, 190, kGreen }, { 41, 19, kGreen } } },
    // A band above the row of the cycles limit across the whole width.
    { .Name = "CyclesOver", .LifeTime = 10.0f, .Cycles = 200000.0,
      .InSpec = { 40, 107, 288, 196 },
      .Pixels = { { 60, 106, kRed }, { 60, 107, kGreen }, { 287, 106, kRed }, { 287, 107, kGreen },
                  { 287, 18, kRed }, { 250, 195, kGreen } } },
    // A band right of the column of the lifetime limit over the whole height.
    { .Name = "LifetimeOver", .LifeTime = 30.0f, .Cycles = 50000.0,
      .InSpec = { 40, 18, 205, 196 },
      .Pixels = { { 204, 30, kGreen }, { 205, 30, kRed }, { 204, 185, kGreen }, { 205, 185, kRed },
                  { 287, 18, kRed }, { 287, 195, kRed }, { 100, 18, kGreen } } },
    { .Name = "BothOver", .LifeTime = 30.0f, .Cycles = 300000.0,
      .InSpec = { 40, 136, 205, 196 },
      .Pixels = { { 100, 135, kRed }, { 100, 136, kGreen }, { 204, 190, kGreen },
                  { 205, 190, kRed }, { 100, 30, kRed }, { 260, 150, kRed } } },
    { .Name = "FarOver", .LifeTime = 99.0f, .Cycles = 1234567.0,
      .InSpec = { 40, 181, 90, 196 },
      .Pixels = { { 89, 181, kGreen }, { 90, 190, kRed }, { 60, 150, kRed } } },
    { .Name = "NoRetentionAxis", .LifeTime = 10.0f, .Cycles = 50000.0, .Retention = false },
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(MainWindowChart, ChartPaintTest, ::testing::ValuesIn(kPaintCases),
    [](const ::testing::TestParamInfo<PaintCase>& info) { return std::string(info.param.Name); });

int DarkPixelsIn(const QImage& image, int left, int top, int right, int bottom)
{
    int dark = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            dark += IsDark(image.pixel(x, y));
        }
    }
    return dark;
}

TEST(ChartPaint, MultiplierOnlyForPositiveExponent)
{
    ChartModel model = MainWindowChart();
    model.SetOperatingPoint(10.0f, 50000.0);
    const QImage withMultiplier = Paint(model);
    // "x 10" starts at plot left + 5 on the top edge.
    EXPECT_GT(DarkPixelsIn(withMultiplier, 45, 0, 100, kPlot.Top - 4), 0);

    model.SetCyclesLimit(5);
    model.SetOperatingPoint(10.0f, 1.0);
    ChartLayout layout;
    const QImage without = Paint(model, &layout);
    KeepImage(without, "NoMultiplier");
    ASSERT_EQ(layout.YExponent, 0);
    EXPECT_EQ(DarkPixelsIn(without, 45, 0, 100, kPlot.Top - 4), 0);
}

TEST(ChartPaint, TitlesAndNumbersAreDrawn)
{
    ChartModel model = MainWindowChart();
    model.SetOperatingPoint(10.0f, 50000.0);
    const QImage image = Paint(model);
    // x title below the x numbers, y title in the left margin, y numbers between.
    EXPECT_GT(DarkPixelsIn(image, 40, kPlot.Bottom + 20, 290, kHeight), 50);
    EXPECT_GT(DarkPixelsIn(image, 0, kPlot.Top, 14, kPlot.Bottom), 50);
    EXPECT_GT(DarkPixelsIn(image, 15, kPlot.Top, kPlot.Left, kPlot.Bottom), 50);
    EXPECT_GT(DarkPixelsIn(image, 30, kPlot.Bottom + 4, 300, kPlot.Bottom + 16), 20);
}

// Each font's cell (ascent plus descent) keeps to its height: the size is the height
// scaled by the height over the cell of the chart's face loaded at that size.
TEST(ChartPaint, FontsAreSizedToTheirCells)
{
    const auto expected = [](int cellHeight) {
        QFont face(QStringLiteral("Verdana"));
        face.setStyleHint(QFont::SansSerif);
        face.setPixelSize(cellHeight);
        const int measured = QFontMetrics(face).height();
        return measured <= cellHeight
            ? cellHeight
            : static_cast<int>(std::lround(double(cellHeight) * cellHeight / measured));
    };
    const ChartFontSizes sizes = MeasureChartFonts();
    EXPECT_EQ(sizes.XTitle, expected(14));
    EXPECT_EQ(sizes.YTitle, expected(16));
    EXPECT_EQ(sizes.Label, expected(12));
    EXPECT_EQ(sizes.Exponent, expected(10));
}

TEST(ChartPaint, RestoresThePainter)
{
    ChartModel model = MainWindowChart();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(30);
    painter.setFont(font);
    painter.setPen(Qt::blue);
    PaintChart(painter, model, kWidth, kHeight);
    EXPECT_EQ(painter.font(), font);
    EXPECT_EQ(painter.pen().color(), QColor(Qt::blue));
    EXPECT_FALSE(painter.testRenderHint(QPainter::Antialiasing));
}

} // namespace
} // namespace eee

int main(int argc, char** argv)
{
    // Painting into images needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
