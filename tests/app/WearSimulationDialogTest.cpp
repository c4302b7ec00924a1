// Tools > Wear Simulation...: the dialog shows the simulation of the calculation handed
// to it (its figures, bars, lines, bytes and note), runs off the GUI thread with
// progress and Cancel, follows new calculations, closes on Escape and leaves the table
// on Tab; the window's menu opens it over the form's last calculation.
//
// Set EEE_WEAR_PNG_DIR to a folder to keep a picture of the dialog for a look.
#include "WindowTestSupport.h"

#include "app/WearChart.h"
#include "app/WearSimulationDialog.h"
#include "calc/Format.h"
#include "calc/WearSimulationText.h"

#include <QAction>
#include <QDir>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace eee::testing_support {
namespace {

// The worked example with a number of records: 8 fit the two blocks, 30 do not.
EvalConfig WorkedExample(int records = 8, float lifeTime = 20.0f)
{
    EvalConfig config;
    config.Scheme = "ECC16 Var-Length";
    config.RecordAlignment = 16;
    config.LifeTime = lifeTime;
    config.BlockCount = 2;
    config.BlockBytes = {0x4000, 0x4000};
    config.DataTypeCount = 1;
    config.DataTypes[0] = {512, 10, records, true, 0};
    return config;
}

QStringList Column(const QTableWidget* table, int column)
{
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row)
        cells << table->item(row, column)->text();
    return cells;
}

// A simulation that runs until it is cancelled, reporting half its writes done; it
// notes the lifetime of every configuration it was given.
class StoppableSimulator
{
public:
    WearSimulationDialog::Simulator Function()
    {
        return [this](const EvalConfig& config, const EvalResult&, const SimulationOptions& o) {
            {
                const std::lock_guard lock(m_mutex);
                m_lifeTimes.push_back(config.LifeTime);
            }
            ++Started;
            SimulationResult r;
            r.EstimatedCycles = config.LifeTime;
            while (Blocks && !o.Cancel->load()) {
                o.Progress(50, 100);
                std::this_thread::sleep_for(std::chrono::milliseconds(1)); // not to spin a core
            }
            r.Cancelled = o.Cancel->load();
            r.Status = r.Cancelled ? SimulationStatus::Cancelled : SimulationStatus::Ok;
            r.Note = r.Cancelled ? "Cancelled here." : "Finished here.";
            return r;
        };
    }
    std::vector<float> LifeTimes()
    {
        const std::lock_guard lock(m_mutex);
        return m_lifeTimes;
    }
    std::atomic<int> Started {0};
    std::atomic<bool> Blocks {true};

private:
    std::mutex m_mutex;
    std::vector<float> m_lifeTimes;
};

class WearSimulationDialogTest : public ::testing::Test
{
protected:
    void Open(const EvalConfig& config)
    {
        dialog.ShowCalculation(config, Evaluate(config));
        dialog.Open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    void WaitForResult()
    {
        ASSERT_TRUE(WaitUntil([&] { return dialog.Result().has_value() && !dialog.Running(); }));
    }
    const WearSimulationDialog::Controls& ui() const { return dialog.Ui(); }

    WearSimulationDialog dialog;
};

TEST_F(WearSimulationDialogTest, ShowsTheSimulationOfTheCalculationHandedToIt)
{
    const EvalConfig config = WorkedExample();
    Open(config);
    WaitForResult();
    const SimulationResult expected = SimulateWear(config, Evaluate(config));
    ASSERT_TRUE(expected.Fits);

    QStringList figures;
    for (const SimulationLine& line : SimulationWearLines(expected))
        figures << QString::fromStdString(line.Label + ": " + line.Value);
    EXPECT_EQ(dialog.FigureLines(), figures);

    const WearBarsContent& chart = ui().Chart->Content();
    ASSERT_EQ(chart.Bars.size(), 2u);
    for (int j = 0; j < 2; ++j) {
        EXPECT_EQ(chart.Bars[j].Label, QString("Block %1").arg(j + 1));
        EXPECT_EQ(chart.Bars[j].Value, expected.BlockErases[j]);
        EXPECT_EQ(
            chart.Bars[j].ValueText, QString::fromStdString(ErasesText(expected.BlockErases[j])));
    }
    EXPECT_EQ(chart.Estimate, expected.EstimatedCycles);
    EXPECT_EQ(chart.EstimateText, "Estimate 10,472");
    EXPECT_EQ(chart.Limit, 100000);
    EXPECT_EQ(chart.LimitText, "Endurance limit 100,000");

    EXPECT_EQ(ui().BytesTitle->text(), "Bytes programmed:");
    EXPECT_EQ(Column(ui().Bytes, 0),
        (QStringList {"Payload", "Record overhead", "Copies of DataType1", "Close waste"}));
    EXPECT_EQ(Column(ui().Bytes, 1).front(),
        QString::fromStdString(
            WithThousandsSeparators(static_cast<double>(expected.PayloadBytes))));
    EXPECT_EQ(Column(ui().Bytes, 2).back(),
        QString::fromStdString(
            ShareText(expected.CloseWasteBytes, SimulationBytesTotal(expected))));
    EXPECT_EQ(ui().Note->text(), QString::fromStdString(expected.Note));

    if (const QByteArray dir = qgetenv("EEE_WEAR_PNG_DIR"); !dir.isEmpty()) {
        // Once the layout has made room for the figures.
        EXPECT_TRUE(
            WaitUntil([&] { return ui().Figures->width() >= ui().Figures->sizeHint().width(); }));
        dialog.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath("wear-simulation.png"));
    }
}

TEST_F(WearSimulationDialogTest, RunThatDoesNotFitShowsItsNoteWithoutBarsOrBytes)
{
    const EvalConfig config = WorkedExample(30);
    Open(config);
    WaitForResult();
    EXPECT_TRUE(ui().Note->text().endsWith("so the data does not fit."))
        << ui().Note->text().toStdString();
    EXPECT_TRUE(ui().Chart->Content().Bars.empty());
    EXPECT_EQ(ui().Bytes->rowCount(), 0);
    EXPECT_EQ(dialog.FigureLines().size(), 1);
}

TEST_F(WearSimulationDialogTest, LongRunShowsProgressAndStopsOnCancel)
{
    StoppableSimulator simulator;
    dialog.SetSimulator(simulator.Function());
    QSignalSpy shown(&dialog, &WearSimulationDialog::SimulationShown);
    Open(WorkedExample());
    ASSERT_TRUE(WaitUntil([&] { return ui().Progress->isVisible() && ui().Cancel->isVisible(); }));
    ASSERT_TRUE(WaitUntil([&] { return ui().Progress->value() == ui().Progress->maximum() / 2; }));
    EXPECT_TRUE(dialog.Running());
    if (const QByteArray dir = qgetenv("EEE_WEAR_PNG_DIR"); !dir.isEmpty())
        dialog.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath("wear-running.png"));

    QTest::mouseClick(ui().Cancel, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return shown.count() == 1; }));
    EXPECT_FALSE(dialog.Running());
    EXPECT_EQ(ui().Note->text(), "Cancelled here.");
    EXPECT_FALSE(ui().Progress->isVisible());
    EXPECT_FALSE(ui().Cancel->isVisible());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(WearSimulationDialogTest, NewCalculationStopsTheRunningOneAndShowsItsOwn)
{
    StoppableSimulator simulator;
    dialog.SetSimulator(simulator.Function());
    QSignalSpy shown(&dialog, &WearSimulationDialog::SimulationShown);
    Open(WorkedExample(8, 20.0f));
    ASSERT_TRUE(WaitUntil([&] { return simulator.Started == 1; }));

    simulator.Blocks = false; // the next run finishes by itself
    const EvalConfig newer = WorkedExample(8, 10.0f);
    dialog.ShowCalculation(newer, Evaluate(newer));
    ASSERT_TRUE(WaitUntil([&] { return shown.count() == 1 && !dialog.Running(); }));
    EXPECT_EQ(simulator.LifeTimes(), (std::vector<float> {20.0f, 10.0f}));
    EXPECT_EQ(ui().Note->text(), "Finished here.");
    EXPECT_EQ(dialog.Result()->EstimatedCycles, 10.0);
}

TEST_F(WearSimulationDialogTest, EscapeClosesAndStopsTheRunWhichRunsAgainWhenOpened)
{
    StoppableSimulator simulator;
    dialog.SetSimulator(simulator.Function());
    Open(WorkedExample());
    ASSERT_TRUE(WaitUntil([&] { return simulator.Started == 1; }));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_TRUE(WaitUntil([&] { return !dialog.Running(); }));

    simulator.Blocks = false;
    dialog.Open();
    ASSERT_TRUE(WaitUntil([&] { return simulator.Started == 2 && !dialog.Running(); }));
    EXPECT_EQ(ui().Note->text(), "Finished here.");
}

TEST_F(WearSimulationDialogTest, TabLeavesTheTableAndButtonsHaveMnemonics)
{
    Open(WorkedExample());
    WaitForResult();
    ui().Bytes->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(WaitUntil([&] { return ui().Bytes->hasFocus(); }));
    QTest::keyClick(ui().Bytes, Qt::Key_Tab);
    EXPECT_TRUE(WaitUntil([&] { return !ui().Bytes->hasFocus(); }));

    const QKeySequence cancel = QKeySequence::mnemonic(ui().Cancel->text());
    const QKeySequence close = QKeySequence::mnemonic(ui().Close->text());
    EXPECT_FALSE(cancel.isEmpty());
    EXPECT_FALSE(close.isEmpty());
    EXPECT_NE(cancel, close);
}

class WearSimulationWindowTest : public ShownWindowTest
{ };

TEST_F(WearSimulationWindowTest, ToolsMenuOpensItOverTheLastCalculationAndItFollows)
{
    // The menu entry itself is checked with the other menus (ShellTest.cpp).
    QAction* action = ui().WearSimulation;
    ASSERT_NE(action, nullptr);
    action->trigger();
    auto* dialog = window->findChild<WearSimulationDialog*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const auto showsTheLastCalculation = [&] {
        const FormState& s = window->Form().State();
        return dialog->Result() && !dialog->Running()
            && dialog->Result()->EstimatedCycles == s.LastResult.FlashCycles
            && dialog->Result()->TotalWrites > 0;
    };
    ASSERT_TRUE(WaitUntil(showsTheLastCalculation));

    const double before = window->Form().State().LastResult.FlashCycles;
    QTest::mouseClick(ui().Daily[0], Qt::LeftButton);
    ClickSubmitAndWaitForVerdict();
    ASSERT_NE(window->Form().State().LastResult.FlashCycles, before);
    EXPECT_TRUE(WaitUntil(showsTheLastCalculation));
}

} // namespace
} // namespace eee::testing_support
