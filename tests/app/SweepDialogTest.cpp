// Tools > Sensitivity Sweep: what its fields ask for, what it names under the mouse and
// the file it exports. The points are the engine's (tests/calc/SweepTest.cpp).
#include "app/SweepDialog.h"
#include "app/SweepPlotWidget.h"
#include "app/tools/RecordingDialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/EngineConfigs.h"

#include <gtest/gtest.h>

namespace eee {
namespace {

EvalConfig WorkedExample()
{
    return testing_support::WorkedExampleConfig();
}

class SweepDialogTest : public ::testing::Test
{
protected:
    SweepDialogTest()
    {
        dialog.ShowCalculation(WorkedExample(), Evaluate(WorkedExample()),
            {{"x4000", 0x4000}, {"x8000", 0x8000}, {"x10000", 0x10000}});
    }
    RecordingDialogs dialogs;
    SweepDialog dialog {dialogs};
};

TEST_F(SweepDialogTest, FieldsMakeTheRequestAndRedrawAsTheyChange)
{
    EXPECT_EQ(dialog.VaryText(), "lifetime=1:40:1");
    EXPECT_EQ(dialog.Points().size(), 40u);
    EXPECT_FALSE(dialog.DataType()->isEnabled());

    dialog.Parameter()->setCurrentIndex(3); // updates
    EXPECT_TRUE(dialog.DataType()->isEnabled());
    EXPECT_EQ(dialog.VaryText(), "updates:1=1:100000:*10");
    ASSERT_EQ(dialog.Points().size(), 6u);
    EXPECT_EQ(dialog.Points()[1].Result.FlashCycles, 10472);

    dialog.Parameter()->setCurrentIndex(1); // block size: the scheme's first to last
    EXPECT_EQ(dialog.VaryText(), "blocksize=x4000:x10000:1");
    EXPECT_EQ(dialog.Points().size(), 3u);

    dialog.To()->setText("x7");
    EXPECT_TRUE(dialog.Points().empty());
    EXPECT_TRUE(dialog.Status()->text().contains("x7 is not one of them"));
    EXPECT_FALSE(dialog.ExportButton()->isEnabled());
}

TEST_F(SweepDialogTest, NamesThePointUnderTheMouse)
{
    dialog.Parameter()->setCurrentIndex(3);
    dialog.resize(700, 520);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    SweepPlotWidget* plot = dialog.PlotWidget();
    const SweepPlotLayout layout = LayoutSweepPlot(plot->Plot(), plot->width(), plot->height());
    QTest::mouseMove(plot, layout.Cycles[1].toPoint());
    QTRY_COMPARE(plot->Hovered(), 1);
    EXPECT_EQ(dialog.PointText()->text(),
        "updates:1 = 10: 10472 flash cycles, in spec for 20.0 years, in spec, Flash used for "
        "EEPROM emulation: 32 KB");
}

TEST_F(SweepDialogTest, ExportsThePlotAndSaysWhenItCannot)
{
    QTemporaryDir dir;
    const QString svg = dir.filePath("plot.svg");
    dialogs.ImageAnswers = {svg, dir.filePath("missing/plot.png")};
    dialog.Export();
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QSvgRenderer(file.readAll()).isValid());
    EXPECT_TRUE(dialogs.Messages.empty());

    dialog.Export();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(dialogs.Messages[0].Text.startsWith(
        "The plot could not be written to " + dir.filePath("missing/plot.png")));
}

} // namespace
} // namespace eee
