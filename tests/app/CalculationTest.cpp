// A calculation entered through the form and submitted, the verdict the window
// writes when the chart reports, and the pixels of the painted chart.
#include "WindowTestSupport.h"

#include <QImage>

namespace eee::testing_support {
namespace {

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBackground(236, 233, 216);

struct ColourCount
{
    int Pixels = 0;
    int Matching = 0;
};

ColourCount Count(const QImage& image, const QRect& area, const QColor& colour)
{
    ColourCount count;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ++count.Pixels;
            if (image.pixelColor(x, y) == colour)
                ++count.Matching;
        }
    }
    return count;
}

// Rows top to bottom - 1 and columns left to right - 1 of a rectangle of the chart's layout.
QRect Area(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

class CalculationTest : public ShownWindowTest
{
protected:
    // One data type of 512-byte records, 8 of them, in two blocks of 16 KB.
    void EnterOneDataType(const QString& updates, bool daily, const QString& lifetime)
    {
        Choose(ui().Scheme, "ECC16 Var-Length");
        Choose(ui().DataTypes, "1");
        TypeInto(ui().DataSize[0], "512");
        TypeInto(ui().Updates[0], updates);
        TypeInto(ui().Records[0], "8");
        QTest::mouseClick(daily ? ui().Daily[0] : ui().Total[0], Qt::LeftButton);
        TypeInto(ui().LifeTime, lifetime);
        Choose(ui().BlockSize[0], "x4000");
        Choose(ui().BlockSize[1], "x4000");
    }

    QImage ChartImage() const { return window->Chart()->grab().toImage(); }

    ChartLayout CurrentLayout() const
    {
        return window->Form().Chart().Layout(window->Chart()->width(), window->Chart()->height());
    }
};

TEST_F(CalculationTest, WorkedExampleThroughTheForm)
{
    EnterOneDataType("10", true, "20");
    ASSERT_TRUE(ui().Daily[0]->isChecked());
    ClickSubmitAndWaitForVerdict();

    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(ui().TotalUserDataBytes->text(), "4096");
    EXPECT_EQ(ui().TotalOverhead->text(), "304");
    EXPECT_EQ(ui().TotalBytes->text(), "4400");
    EXPECT_EQ(ui().LifetimeUpdates->text(), "299,008,000");
    EXPECT_EQ(ui().MaxUpdateRequirement->text(), "73000");
    EXPECT_EQ(ui().FlashCycles->text(), "10472");
    EXPECT_EQ(ui().RefreshInterval->text(), "0.69709702");
    EXPECT_EQ(ui().FlashUsed->text(), "Flash used for EEPROM emulation: 32 KB");
    EXPECT_EQ(ui().Verdict->text(), "Application InSpec for Lifetime and Endurance");
    EXPECT_EQ(ui().Recommendation->text(), "");
    EXPECT_EQ(ui().LifetimeNote->text(), "");
    EXPECT_FALSE(ui().Submit->isEnabled());

    // Any later change enables Submit again and leaves the results on display.
    QTest::mouseClick(ui().Total[0], Qt::LeftButton);
    EXPECT_TRUE(ui().Submit->isEnabled());
    EXPECT_EQ(ui().FlashCycles->text(), "10472");
}

TEST_F(CalculationTest, DataThatDoesNotFitStopsBeforeTheEndurance)
{
    Choose(ui().BlockSize[0], "x4000");
    Choose(ui().BlockSize[1], "x4000");
    TypeInto(ui().Records[0], "30000");
    QTest::mouseClick(ui().Submit, Qt::LeftButton);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
        "Block size selected is less than the total data size. Please select a bigger block size.");
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Warning);
    // The totals are new, the endurance results are the old ones, Submit stays enabled.
    EXPECT_EQ(ui().TotalUserDataBytes->text(), QString::number(8064 + 29992 * 512));
    EXPECT_EQ(ui().FlashCycles->text(), "6");
    EXPECT_TRUE(ui().Submit->isEnabled());
}

TEST_F(CalculationTest, InSpecChartIsGreenInsideThePlot)
{
    const QImage image = ChartImage();
    ASSERT_EQ(image.size(), QSize(338, 236));
    const ChartLayout layout = CurrentLayout();
    ASSERT_FALSE(layout.OutOfSpec);
    ASSERT_EQ(layout.Plot, (ChartRect {40, 18, 288, 196}));

    const ColourCount green = Count(image, Area(40, 18, 288, 196), kGreen);
    EXPECT_GT(green.Matching, green.Pixels * 9 / 10);
    EXPECT_EQ(Count(image, image.rect(), kRed).Matching, 0);
    // The fill ends at the plot's edges; the window around it has the background colour.
    EXPECT_EQ(image.pixelColor(200, 17), kBackground);
    EXPECT_EQ(image.pixelColor(200, 18), kGreen);
    EXPECT_EQ(image.pixelColor(200, 100), kGreen);
    EXPECT_EQ(image.pixelColor(2, 2), kBackground);
    EXPECT_EQ(image.pixelColor(336, 234), kBackground);
}

TEST_F(CalculationTest, CyclesOverTheLimitPaintAnOutOfSpecBandAndTheRecommendation)
{
    EnterOneDataType("2000000", false, "10");
    ClickSubmitAndWaitForVerdict();
    ASSERT_TRUE(dialogs.Messages.empty());
    ASSERT_GT(ui().FlashCycles->text().toDouble(), 100000.0);

    const QImage image = ChartImage();
    const ChartLayout layout = CurrentLayout();
    ASSERT_TRUE(layout.OutOfSpec);
    const ChartRect plot = layout.Plot;
    const ChartRect in = layout.InSpec;
    ASSERT_EQ(in.Left, plot.Left);
    ASSERT_EQ(in.Right, plot.Right);
    ASSERT_EQ(in.Bottom, plot.Bottom);
    ASSERT_GT(in.Top, plot.Top + 20);
    ASSERT_LT(layout.OperatingX, plot.Right - 40);

    // Red above the pixel row of the cycles limit, green below it, across the plot's width;
    // the dashed arrow crosses both, so most pixels, not all, carry the fill.
    const ColourCount band = Count(image, Area(plot.Left, plot.Top, plot.Right, in.Top), kRed);
    EXPECT_GT(band.Matching, band.Pixels * 8 / 10);
    EXPECT_EQ(Count(image, Area(plot.Left, plot.Top, plot.Right, in.Top), kGreen).Matching, 0);
    const ColourCount inSpec = Count(image, Area(in.Left, in.Top, in.Right, in.Bottom), kGreen);
    EXPECT_GT(inSpec.Matching, inSpec.Pixels * 8 / 10);
    EXPECT_EQ(Count(image, Area(in.Left, in.Top, in.Right, in.Bottom), kRed).Matching, 0);
    const int x = plot.Right - 15;
    EXPECT_EQ(image.pixelColor(x, plot.Top - 1), kBackground);
    EXPECT_EQ(image.pixelColor(x, plot.Top), kRed);
    EXPECT_EQ(image.pixelColor(x, in.Top - 1), kRed);
    EXPECT_EQ(image.pixelColor(x, in.Top), kGreen);

    // The verdict follows the chart's in-spec years.
    const double years = layout.InSpecYears;
    EXPECT_EQ(ui().Verdict->text(),
        QString::asprintf(" - In spec for first %.1f years. Out of spec for last %.1f years", years,
            10.0 - years));
    EXPECT_EQ(ui().Recommendation->text(),
        "Recommended:increase number of flash blocks for EEE or reduce the number of updates to EE "
        "data");
    EXPECT_EQ(ui().LifetimeNote->text(), "");
}

TEST_F(CalculationTest, LifetimeOverTheLimitPaintsABandOnTheRight)
{
    EnterOneDataType("10", false, "30");
    ClickSubmitAndWaitForVerdict();
    ASSERT_TRUE(dialogs.Messages.empty());

    const QImage image = ChartImage();
    const ChartLayout layout = CurrentLayout();
    ASSERT_TRUE(layout.OutOfSpec);
    const ChartRect in = layout.InSpec;
    ASSERT_EQ(in.Top, layout.Plot.Top);
    ASSERT_LT(in.Right, layout.Plot.Right - 20);
    const int y = layout.Plot.Top + 10;
    EXPECT_EQ(image.pixelColor(in.Right - 1, y), kGreen);
    EXPECT_EQ(image.pixelColor(in.Right, y), kRed);
    EXPECT_EQ(image.pixelColor(layout.Plot.Right - 10, y), kRed);

    EXPECT_EQ(
        ui().Verdict->text(), " - In spec for first 20.0 years. Out of spec for last 10.0 years");
    EXPECT_EQ(ui().Recommendation->text(), "Cycling requirement is within specification");
    EXPECT_EQ(ui().LifetimeNote->text(), "Application lifetime exceeds 20.0 years specification");
}

TEST_F(CalculationTest, TypedTextSurvivesAChartRepaint)
{
    TypeInto(ui().DataSize[0], "300");
    TypeInto(ui().Updates[2], "77");
    RepaintChart();
    RepaintChart();
    EXPECT_EQ(ui().DataSize[0]->text(), "300");
    EXPECT_EQ(ui().Updates[2]->text(), "77");
    EXPECT_EQ(ui().Verdict->text(), "Application InSpec for Lifetime and Endurance");
    EXPECT_EQ(ui().FlashUsed->text(), "Flash used for EEPROM emulation: 64 KB");

    // The kept text is what the next form read takes.
    TabInto(ui().Records[1]);
    EXPECT_EQ(ui().TotalUserDataBytes->text(), QString::number(8064 - (512 - 300) * 8));
    EXPECT_TRUE(dialogs.Messages.empty());
}

} // namespace
} // namespace eee::testing_support
