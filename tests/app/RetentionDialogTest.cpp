// Tools > Retention Check... on the real window: the profiles, the mission
// table, the result lines and the staircase chart, following the window's
// calculations; the choice kept in the user's settings, not in sessions.
#include "IsolatedSettings.h"
#include "WindowTestSupport.h"

#include "../report/ReportTestSupport.h"
#include "app/MissionTableModel.h"
#include "app/RetentionChart.h"
#include "app/RetentionDialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdlib>

namespace eee::testing_support {
namespace {

const QString kEnvelope = "Envelope 100k cycles / 20 years";
const QString kEeprom = "EEPROM emulation, 55 °C";
const QString kAutomotive = "Automotive data flash, 85 °C";
const QStringList kDelivered {kEnvelope, kEeprom, "Data flash, tiered, 55 °C", kAutomotive};

QStringList Entries(const QComboBox* combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

QByteArray ProfilesXml(const QByteArray& name)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<DeviceProfiles xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xsi:noNamespaceSchemaLocation=\"DeviceProfiles.xsd\"><Profile><Name>"
        + name
        + "</Name><EnduranceCycles>50000</EnduranceCycles><ReferenceCelsius>70</"
          "ReferenceCelsius><Tier><MaxCycles>50000</MaxCycles><Years>30</Years></Tier>"
          "</Profile></DeviceProfiles>\n";
}

// The window with the user's settings and configuration folder in a scratch
// folder of their own, so that tests running at once never share them.
class RetentionDialogTest : public WindowTest
{
protected:
    void SetUp() override
    {
        // The user's own profiles file is looked for in the same scratch folder.
        qputenv("XDG_CONFIG_HOME", m_settings.Folder().toLocal8Bit());
        WindowTest::SetUp();
        ShowActive();
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    RetentionDialog* OpenDialog()
    {
        ui().RetentionCheck->trigger();
        auto* dialog = window->findChild<RetentionDialog*>();
        EXPECT_NE(dialog, nullptr);
        if (dialog) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
        }
        return dialog;
    }

    void WriteOwnProfiles(const QByteArray& content)
    {
        const QString path = OwnProfilesFile();
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // Types a cell's new text as the user does: open its editor, type, Enter.
    void EditCell(QTableView* view, int row, int column, const QString& text)
    {
        const QModelIndex index = view->model()->index(row, column);
        view->setCurrentIndex(index);
        view->edit(index);
        // Editors closed earlier may wait for their deletion, hidden.
        QLineEdit* editor = nullptr;
        for (QLineEdit* open : view->viewport()->findChildren<QLineEdit*>()) {
            if (open->isVisible())
                editor = open;
        }
        ASSERT_NE(editor, nullptr) << "no editor for row " << row << " column " << column;
        TypeInto(editor, text);
        const QPointer<QLineEdit> open = editor;
        QTest::keyClick(editor, Qt::Key_Return);
        // The view takes the text and closes the editor when the event loop runs.
        ASSERT_TRUE(WaitUntil([&] { return !open || !open->isVisible(); }));
    }

    // Changes the lifetime in the window and calculates.
    void Calculate(const QString& lifeTime)
    {
        TypeInto(ui().LifeTime, lifeTime);
        ClickSubmitAndWaitForVerdict();
    }

    static QStringList ResultLines(const RetentionDialog* dialog)
    {
        return dialog->Ui().Result->text().split('\n');
    }

    IsolatedSettings m_settings;
};

TEST_F(RetentionDialogTest, OpensOnTheLastCalculationWithTheDeliveredProfiles)
{
    RetentionDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(Entries(dialog->Ui().Profile), kDelivered);
    EXPECT_EQ(dialog->Ui().Profile->currentText(), kEnvelope);
    EXPECT_EQ(dialog->Ui().ProfileSummary->text(),
        "endurance 100000 cycles; retention at 55 °C: 20 years up to 100000 cycles; no activation "
        "energy: "
        "known at 55 °C only");
    // The delivered defaults: 6 flash cycles over 20 years.
    EXPECT_EQ(ResultLines(dialog),
        (QStringList {"Data retention: in spec: the mission uses 100.0% of the 20-year retention",
            "Flash cycles per block: 6; retention tier: 20 years up to 100000 cycles at 55 °C",
            "Mission: 20 years at 55 °C (acceleration 1)",
            "Effective retention: 20.0 years for this mission, margin 1.00"}));
    EXPECT_EQ(dialog->Ui().MissionTotal->text(),
        "No rows: the whole lifetime of 20 years at the profile's temperature.");
    EXPECT_FALSE(dialog->Ui().RemoveRow->isEnabled());

    // Opening it again shows the same dialog.
    EXPECT_EQ(OpenDialog(), dialog);
    EXPECT_EQ(window->findChildren<RetentionDialog*>().size(), 1);
}

TEST_F(RetentionDialogTest, FollowsTheWindowsCalculations)
{
    RetentionDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Choose(dialog->Ui().Profile, kEeprom);
    Calculate("25");
    EXPECT_TRUE(WaitUntil([&] { return dialog->Result() && !dialog->Result()->InSpec; }));
    EXPECT_EQ(ResultLines(dialog).front(),
        "Data retention: out of spec: the mission uses 125.0% of the 20-year retention");
    Calculate("10");
    EXPECT_TRUE(WaitUntil([&] { return dialog->Result() && dialog->Result()->InSpec; }));
    EXPECT_EQ(ResultLines(dialog).front(),
        "Data retention: in spec: the mission uses 50.0% of the 20-year retention");
}

TEST_F(RetentionDialogTest, MissionTableIsEditedRowByRowAndAddedUpAgainstTheLifetime)
{
    RetentionDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Choose(dialog->Ui().Profile, kEeprom);
    const RetentionDialog::Controls& d = dialog->Ui();

    // A new row takes the whole lifetime at the profile's temperature.
    QTest::mouseClick(d.AddRow, Qt::LeftButton);
    EXPECT_EQ(dialog->Mission().Mission(), (std::vector<MissionSegment> {{20.0, 55.0}}));
    EXPECT_EQ(d.MissionTotal->text(), "Mission total: 20 of 20 years");

    EditCell(d.Mission, 0, MissionTableModel::kYearsColumn, "14");
    EditCell(d.Mission, 0, MissionTableModel::kCelsiusColumn, "30");
    EXPECT_EQ(
        d.MissionTotal->text(), "Mission total: 14 of 20 years: it must add up to the lifetime.");
    EXPECT_FALSE(dialog->Result().has_value());
    EXPECT_EQ(d.Result->text(),
        "Data retention: not checked: The mission adds up to 14 years, but the lifetime is 20 "
        "years.");

    // The next row takes the years still missing.
    QTest::mouseClick(d.AddRow, Qt::LeftButton);
    EditCell(d.Mission, 1, MissionTableModel::kCelsiusColumn, " 50 ");
    EXPECT_EQ(
        dialog->Mission().Mission(), (std::vector<MissionSegment> {{14.0, 30.0}, {6.0, 50.0}}));
    EXPECT_EQ(d.MissionTotal->text(), "Mission total: 20 of 20 years");
    ASSERT_TRUE(dialog->Result().has_value());
    EXPECT_EQ(ResultLines(dialog),
        (QStringList {"Data retention: in spec: the mission uses 29.5% of the 20-year retention",
            "Flash cycles per block: 6; retention tier: 20 years up to 10000 cycles at 55 °C",
            "Mission: 14 years at 30 °C (acceleration 0.13), 6 years at 50 °C (acceleration "
            "0.682)",
            "Effective retention: 67.7 years for this mission, margin 3.38"}));

    // Remove Row takes the chosen row.
    d.Mission->selectRow(0);
    QTest::mouseClick(d.RemoveRow, Qt::LeftButton);
    EXPECT_EQ(dialog->Mission().Mission(), (std::vector<MissionSegment> {{6.0, 50.0}}));
    QTest::mouseClick(d.RemoveRow, Qt::LeftButton);
    EXPECT_TRUE(dialog->Mission().Mission().empty());
    EXPECT_FALSE(d.RemoveRow->isEnabled());
    EXPECT_TRUE(dialog->Result().has_value());
    EXPECT_TRUE(dialogs.Messages.empty());
}

struct BadCell
{
    int Column;
    const char* Text;
    const char* Message;
};

class RetentionBadCellTest : public RetentionDialogTest,
                             public ::testing::WithParamInterface<BadCell>
{ };

TEST_P(RetentionBadCellTest, IsRefusedWithAMessageAndTheTableKeepsItsValue)
{
    RetentionDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->Ui().AddRow, Qt::LeftButton);
    EditCell(dialog->Ui().Mission, 0, GetParam().Column, GetParam().Text);
    EXPECT_TRUE(WaitUntil([&] { return !dialogs.Messages.empty(); }));
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, GetParam().Message);
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Warning);
    EXPECT_EQ(dialog->Mission().Mission(), (std::vector<MissionSegment> {{20.0, 55.0}}));
    EXPECT_TRUE(dialog->Result().has_value());
}

INSTANTIATE_TEST_SUITE_P(Window, RetentionBadCellTest,
    ::testing::Values(BadCell {MissionTableModel::kYearsColumn, "abc",
                          "Mission row 1: the years must be a number above 0 (not \"abc\")."},
        BadCell {MissionTableModel::kYearsColumn, "1,5",
            "Mission row 1: the years must be a number above 0 (not \"1,5\")."},
        BadCell {MissionTableModel::kCelsiusColumn, "400",
            "Mission row 1: the temperature must be a number from -100 to 300 °C (not \"400\")."}));

TEST_F(RetentionDialogTest, ProfileAndMissionAreKeptInTheSettingsNotInTheSession)
{
    RetentionDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Choose(dialog->Ui().Profile, kAutomotive);
    dialog->Mission().SetMission({{15.0, 70.0}, {5.0, 90.0}});
    EXPECT_EQ(QSettings().value(kRetentionProfileKey).toString(), kAutomotive);
    EXPECT_EQ(QSettings().value(kRetentionMissionKey).toString(), "15@70,5@90");

    const QString session = QDir(m_settings.Folder()).filePath("session.xml");
    dialogs.SaveAnswers.push_back(session);
    ui().SaveSession->trigger();
    QFile saved(session);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray xml = saved.readAll();
    EXPECT_FALSE(xml.contains("Automotive") || xml.contains("Mission")) << xml.toStdString();

    // A new window's dialog starts where the last one was left.
    window.reset();
    Open();
    ShowActive();
    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Ui().Profile->currentText(), kAutomotive);
    EXPECT_EQ(
        dialog->Mission().Mission(), (std::vector<MissionSegment> {{15.0, 70.0}, {5.0, 90.0}}));
}

TEST_F(RetentionDialogTest, SettingsThatNoLongerFitAreLeftOut)
{
    QSettings().setValue(kRetentionProfileKey, "A profile since removed");
    QSettings().setValue(kRetentionMissionKey, "14@30,six@50");
    RetentionDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Ui().Profile->currentText(), kEnvelope);
    EXPECT_TRUE(dialog->Mission().Mission().empty());
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(RetentionDialogTest, OwnProfilesAreListedAfterTheDeliveredOnes)
{
    WriteOwnProfiles(ProfilesXml("My flash, 70 °C"));
    RetentionDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Entries(dialog->Ui().Profile), kDelivered + QStringList {"My flash, 70 °C"});
    EXPECT_TRUE(dialogs.Messages.empty());
    dialog->close();

    // The file is read again at every opening; a broken one is reported and
    // the delivered profiles stay.
    WriteOwnProfiles("<DeviceProfiles>");
    OpenDialog();
    EXPECT_EQ(Entries(dialog->Ui().Profile), kDelivered);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(dialogs.Messages[0].Text.startsWith(
        "Your own device profiles could not be loaded from " + OwnProfilesFile() + "!\n"))
        << dialogs.Messages[0].Text.toStdString();
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Warning);
}

TEST_F(RetentionDialogTest, ChartMarksTheOperatingPointInTheVerdictsColour)
{
    RetentionDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    RetentionChart* chart = dialog->Ui().Chart;
    Choose(dialog->Ui().Profile, kAutomotive);
    const auto colourAtPoint = [&] {
        const RetentionChart::Layout layout
            = RetentionChart::MakeLayout(chart->Shown(), chart->size());
        EXPECT_TRUE(layout.Point.has_value());
        const QImage image = chart->grab().toImage();
        return image.pixelColor(layout.Point.value_or(QPointF()).toPoint());
    };
    EXPECT_EQ(colourAtPoint(), QColor(0, 255, 0));
    Calculate("25");
    EXPECT_TRUE(WaitUntil([&] { return dialog->Result() && !dialog->Result()->InSpec; }));
    EXPECT_EQ(colourAtPoint(), QColor(255, 0, 0));
}

// The staircase's layout, without a widget.
TEST(RetentionChartLayout, StepsRunAlongLogarithmicCyclesUpToTheEndurance)
{
    DeviceProfile profile {"Tiered", 25000, {{100, 25.0}, {2500, 20.0}, {25000, 10.0}}, 55.0, 0.7};
    RetentionChart::Content content {profile,
        RetentionChart::OperatingPoint {250000.0, 20.0, RetentionChart::Verdict::OutOfSpec}};
    const RetentionChart::Layout layout = RetentionChart::MakeLayout(content, QSizeF(458, 236));
    ASSERT_FALSE(layout.Plot.isEmpty());
    // From 10 to a decade beyond the operating point.
    EXPECT_EQ(layout.FirstDecade, 1);
    EXPECT_EQ(layout.LastDecade, 6);
    const double decade = layout.Plot.width() / 5.0;
    const auto x
        = [&](double cycles) { return layout.Plot.left() + (std::log10(cycles) - 1) * decade; };
    const auto y = [&](double years) {
        return layout.Plot.bottom() - years / layout.TopYears * layout.Plot.height();
    };
    const QPolygonF expected {QPointF(x(10), layout.Plot.bottom()), QPointF(x(10), y(25)),
        QPointF(x(100), y(25)), QPointF(x(100), y(20)), QPointF(x(2500), y(20)),
        QPointF(x(2500), y(10)), QPointF(x(25000), y(10)), QPointF(x(25000), layout.Plot.bottom())};
    ASSERT_EQ(layout.Staircase.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(layout.Staircase[i].x(), expected[i].x(), 1e-9) << i;
        EXPECT_NEAR(layout.Staircase[i].y(), expected[i].y(), 1e-9) << i;
    }
    EXPECT_NEAR(layout.Point->x(), x(250000.0), 1e-9);
    EXPECT_NEAR(layout.Point->y(), y(20.0), 1e-9);
    EXPECT_EQ(layout.PointColour, QColor(255, 0, 0));
    EXPECT_EQ(layout.CycleTicks.front().Label, "10");
    EXPECT_EQ(layout.CycleTicks.back().Label, "1M");
}

// File > Export Report carries the retention check of the profile chosen in the dialog.
TEST_F(RetentionDialogTest, ExportedReportCarriesTheChosenProfilesCheck)
{
    QTemporaryDir dir;
    const QString without = dir.filePath("without.pdf");
    dialogs.ReportAnswers.push_back(without);
    ui().ExportReport->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(without); }));
    EXPECT_FALSE(test::PdfText(without).contains("Data retention"));

    RetentionDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->Ui().Profile->setCurrentIndex(1);
    ASSERT_TRUE(dialog->Choice());
    const QString with = dir.filePath("with.pdf");
    dialogs.ReportAnswers.push_back(with);
    ui().ExportReport->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(with); }));
    const QString text = test::PdfText(with).simplified();
    EXPECT_TRUE(text.contains("Data retention: ")) << text.toStdString();
    EXPECT_TRUE(text.contains(
        QString::fromStdString("Profile: " + dialog->Choice()->Profile.Name).simplified()));
}

} // namespace
} // namespace eee::testing_support
