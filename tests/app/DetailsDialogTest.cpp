// Tools > Calculation Details and File > Export Report in the real window: the table and
// trace follow the last calculation, sort by number and copy as text; the exported
// report reads the same as eee-calc-cli report of the same session file.
#include "WindowTestSupport.h"

#include "../report/ReportTestSupport.h"
#include "app/DetailsDialog.h"
#include "cli/ReportCommand.h"
#include "report/ReportFile.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>

namespace eee::testing_support {
namespace {

const QString kWorkedExample = EEE_SESSIONS_DIR "/ecc16-var-worked-example.xml";
const QString kSixTypes = EEE_SESSIONS_DIR "/ecc16-var-six-types-daily-3blocks.xml";

class DetailsDialogTest : public ShownWindowTest
{
protected:
    void Load(const QString& session)
    {
        const int before = window->Form().State().Calculations;
        dialogs.OpenAnswers.push_back(session);
        ui().LoadSession->trigger();
        ASSERT_TRUE(WaitUntil([&] { return window->Form().State().Calculations > before; }));
    }

    DetailsDialog* OpenDetails()
    {
        ui().CalculationDetails->trigger();
        auto* details = window->findChild<DetailsDialog*>();
        EXPECT_NE(details, nullptr);
        if (details) {
            EXPECT_TRUE(WaitUntil([&] { return details->isVisible(); }));
        }
        return details;
    }

    // The texts of a column in the order the table shows them.
    static QStringList Column(const QTableView* table, int column)
    {
        QStringList cells;
        for (int r = 0; r < table->model()->rowCount(); ++r)
            cells << table->model()->index(r, column).data().toString();
        return cells;
    }

    void ClickHeader(QTableView* table, int column)
    {
        QHeaderView* header = table->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + 4, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir dir;
};

TEST_F(DetailsDialogTest, TableAndTraceFollowTheLastCalculation)
{
    DetailsDialog* details = OpenDetails();
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(
        details->Table()->model()->rowCount(), window->Form().State().LastConfig.DataTypeCount);

    Load(kWorkedExample);
    ASSERT_TRUE(WaitUntil([&] { return details->Table()->model()->rowCount() == 1; }));
    EXPECT_EQ(Column(details->Table(), 0), QStringList {"DataType1"});
    QStringList row;
    for (int c = 0; c < details->Table()->model()->columnCount(); ++c)
        row << details->Table()->model()->index(0, c).data().toString();
    EXPECT_EQ(row,
        (QStringList {
            "DataType1", "4352", "317696000", "100.0", "9724", "11219", "10471.5", "100.0"}));
    const QStringList trace = details->Trace()->toPlainText().split('\n');
    EXPECT_TRUE(trace.contains("Flash cycles = ceil((9724 + 11219) x 0.5) = 10472"));
    EXPECT_TRUE(trace.contains("W_0 = 3650 x 20 x 4352 = 317696000"));
    EXPECT_EQ(details->Summary()->text(),
        "Estimated Flash Cycles: 10472. DataType1 drives the most erases: 100.0 % of the cycles.");
    EXPECT_TRUE(dialogs.Messages.size() == 1 && dialogs.Messages[0].Icon == MsgIcon::Information);
}

TEST_F(DetailsDialogTest, ColumnsSortByNumberBothWays)
{
    Load(kSixTypes);
    DetailsDialog* details = OpenDetails();
    ASSERT_NE(details, nullptr);
    QTableView* table = details->Table();
    // Bytes held: as text "1152" would come before "192".
    ClickHeader(table, 1);
    ASSERT_TRUE(WaitUntil([&] { return table->horizontalHeader()->sortIndicatorSection() == 1; }));
    const Qt::SortOrder first = table->horizontalHeader()->sortIndicatorOrder();
    QStringList ascending {"192", "256", "384", "640", "1152", "2176"};
    QStringList descending(ascending.rbegin(), ascending.rend());
    EXPECT_EQ(Column(table, 1), first == Qt::AscendingOrder ? ascending : descending);
    ClickHeader(table, 1);
    ASSERT_TRUE(
        WaitUntil([&] { return table->horizontalHeader()->sortIndicatorOrder() != first; }));
    EXPECT_EQ(Column(table, 1), first == Qt::AscendingOrder ? descending : ascending);
    EXPECT_EQ(Column(table, 0).size(), 6);
}

TEST_F(DetailsDialogTest, CopyPutsTheTableAndTheTraceOnTheClipboard)
{
    Load(kWorkedExample);
    DetailsDialog* details = OpenDetails();
    ASSERT_NE(details, nullptr);
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(details->CopyButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([] { return !QGuiApplication::clipboard()->text().isEmpty(); }));
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0],
        "Data Type\tBytes held\tBytes written\tShare of bytes written (%)\tFirst term\tSecond "
        "term\tContribution\tShare of cycles (%)");
    EXPECT_EQ(lines[1], "DataType1\t4352\t317696000\t100.0\t9724\t11219\t10471.5\t100.0");
    EXPECT_EQ(lines[2], "");
    EXPECT_TRUE(lines.contains("Flash cycles = ceil((9724 + 11219) x 0.5) = 10472"));
}

class ExportAgreementTest : public DetailsDialogTest,
                            public ::testing::WithParamInterface<const char*>
{ };

// The window's report of a loaded session and eee-calc-cli report of that file agree in
// every word but the minute they were made.
TEST_P(ExportAgreementTest, WindowAndCommandLineReportsAgree)
{
    const QString suffix = GetParam();
    Load(kWorkedExample);
    const QString fromWindow = dir.filePath("window." + suffix);
    dialogs.ReportAnswers.push_back(fromWindow);
    ui().ExportReport->trigger();
    ASSERT_TRUE(WaitUntil([&] { return dialogs.Messages.size() == 2; }));
    EXPECT_EQ(dialogs.Messages[1].Text, "Report window." + suffix + " saved successfully!");
    EXPECT_EQ(dialogs.Messages[1].Icon, MsgIcon::Information);
    ASSERT_EQ(dialogs.ReportSuggestions.size(), 1u);
    EXPECT_EQ(QFileInfo(dialogs.ReportSuggestions[0]).fileName(), "ecc16-var-worked-example.pdf");

    const QString fromCli = dir.filePath("cli." + suffix);
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    std::string errors;
    ASSERT_EQ(RunReportCommand({kWorkedExample, fromCli, {}, letter ? "letter" : "a4"}, errors), 0)
        << errors;
    if (suffix == "pdf") {
        const QString windowText = test::PdfText(fromWindow);
        ASSERT_TRUE(windowText.contains("Flash cycles = ceil((9724 + 11219) x 0.5) = 10472"));
        EXPECT_EQ(test::WithoutDate(windowText), test::WithoutDate(test::PdfText(fromCli)));
    } else {
        const QString windowHtml = QString::fromUtf8(test::ReadAll(fromWindow));
        ASSERT_TRUE(windowHtml.contains("<svg"));
        EXPECT_EQ(test::WithoutDate(windowHtml),
            test::WithoutDate(QString::fromUtf8(test::ReadAll(fromCli))));
    }
}

INSTANTIATE_TEST_SUITE_P(Report, ExportAgreementTest, ::testing::Values("pdf", "html"));

struct RefusedExport
{
    const char* Name;
    const char* Answer; // relative to the test's folder; empty: cancelled
    MsgIcon Icon;
    const char* Message; // empty: no message
};

class RefusedExportTest : public DetailsDialogTest,
                          public ::testing::WithParamInterface<RefusedExport>
{ };

TEST_P(RefusedExportTest, SaysWhyAndWritesNothing)
{
    const RefusedExport& c = GetParam();
    dialogs.Messages.clear();
    dialogs.ReportAnswers.push_back(*c.Answer ? dir.filePath(c.Answer) : QString());
    ui().ExportReport->trigger();
    QCoreApplication::processEvents();
    if (*c.Message == '\0') {
        EXPECT_TRUE(dialogs.Messages.empty());
    } else {
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_TRUE(dialogs.Messages[0].Text.startsWith(c.Message))
            << dialogs.Messages[0].Text.toStdString();
        EXPECT_EQ(dialogs.Messages[0].Icon, c.Icon);
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Report, RefusedExportTest,
    ::testing::Values(RefusedExport {"Cancelled", "", MsgIcon::Information, ""},
        RefusedExport {"OtherSuffix", "notes.txt", MsgIcon::Warning, kReportSuffixMessage},
        RefusedExport {"MissingFolder", "no/such/r.pdf", MsgIcon::Error,
            "Report r.pdf could not be saved!\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

// A window whose catalogue could not be read has no calculation: neither tool has
// anything to show or write.
TEST_F(WindowTest, WithoutACalculationTheToolsSaySo)
{
    QTemporaryDir emptyFolder;
    Open(emptyFolder.path().toStdString());
    ASSERT_EQ(window->Form().State().Calculations, 0);
    dialogs.Messages.clear();
    ui().CalculationDetails->trigger();
    ui().ExportReport->trigger();
    EXPECT_EQ(Texts(dialogs.Messages),
        (std::vector<QString> {
            "There is no calculation to show yet.", "There is no calculation to report yet."}));
    EXPECT_EQ(window->findChild<DetailsDialog*>(), nullptr);
    EXPECT_TRUE(dialogs.ReportSuggestions.empty());
}

} // namespace
} // namespace eee::testing_support
