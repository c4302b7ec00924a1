// The report as a reader gets it: the PDF read back with pdftotext and pdfinfo, the
// HTML file as it stands, and the sections a tool adds.
#include "ReportTestSupport.h"

#include "Version.h"
#include "cli/ReportCommand.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"
#include "report/ReportBuilder.h"
#include "report/ReportFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace eee::test {
namespace {

const QString kWorkedExample = EEE_SESSIONS_DIR "/ecc16-var-worked-example.xml";
const QString kSixTypes = EEE_SESSIONS_DIR "/ecc16-var-six-types-daily-3blocks.xml";

class ReportTest : public ::testing::Test
{
protected:
    // The report of a session file as eee-calc-cli report writes it.
    QString Report(const QString& session, const QString& name, const QString& pageSize = "a4")
    {
        const QString out = m_dir.filePath(name);
        std::string errors;
        EXPECT_EQ(RunReportCommand({session, out, {}, pageSize}, errors), 0) << errors;
        EXPECT_EQ(errors, "");
        return out;
    }
    QTemporaryDir m_dir;
};

TEST_F(ReportTest, PdfOfTheWorkedExampleCarriesEveryFigure)
{
    const QString text = PdfText(Report(kWorkedExample, "worked.pdf"));
    ASSERT_FALSE(text.isEmpty());
    const QStringList expected {
        kDefaultReportTitle,
        QString("Program: Varn EEE Calculator ") + kVersion,
        "Session file: " + QFileInfo(kWorkedExample).absoluteFilePath(),
        // inputs
        "Scheme ECC16 Var-Length",
        "LifeTime (Years) 20",
        "Block Size (bytes) 16384, 16384",
        "Block Overhead (bytes per block) 48",
        "DataType1 512 10 Daily 8 32",
        // results and verdict
        "Total User Data Bytes 4096",
        "Total Overhead 304",
        "Total User Bytes + Overhead 4400",
        "Flash used for EEPROM emulation 32 KB",
        "Total Application Lifetime Updates 299,008,000",
        "Maximum EEPROM Update Requirements 73000",
        "Estimated Flash Cycles 10472",
        "Mean Time between Refresh Cycles (days) 0.69709702",
        "Verdict: In Spec",
        "Application InSpec for Lifetime and Endurance",
        // the chart's own texts, drawn as text
        "Application LifeTime (in years)",
        // breakdown and trace
        "DataType1 4352 317696000 100.0 9724 11219 10471.5 100.0",
        "S_0 = (512 + 32) x 8 = 4352",
        "B = 2 x 48 = 96",
        "W_0 = 3650 x 20 x 4352 = 317696000",
        "first = ceil(317696000 / 32672) = 9724",
        "Flash cycles = ceil((9724 + 11219) x 0.5) = 10472",
        "Refresh interval = 20 x 365 / 10472 = 0.69709702 days",
        // constants
        "Flash endurance 100000 cycles",
        "Flash lifetime 20 years",
        "Days per year 365",
    };
    for (const QString& part : expected)
        EXPECT_TRUE(HasText(text, part)) << part.toStdString() << "\n" << text.toStdString();
}

TEST_F(ReportTest, ChartIsDrawnAsVectorsNotAsAPicture)
{
    const QString pdf = Report(kWorkedExample, "worked.pdf");
    const QStringList images = RunTool("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(images.size(), 2) << "only the header of the list: "
                                << images.join('\n').toStdString();
}

class PageSizeTest : public ReportTest,
                     public ::testing::WithParamInterface<std::pair<const char*, const char*>>
{ };

TEST_P(PageSizeTest, PageSizeIsTheOneAskedFor)
{
    const auto [name, shown] = GetParam();
    const QString info = PdfInfo(Report(kWorkedExample, "size.pdf", name));
    EXPECT_TRUE(info.contains(shown)) << info.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Report, PageSizeTest,
    ::testing::Values(std::pair {"a4", "(A4)"}, std::pair {"letter", "(letter)"},
        std::pair {"LETTER", "(letter)"}));

TEST_F(ReportTest, LongReportGoesOnOverPagesWithNothingLost)
{
    const QString pdf = Report(kSixTypes, "six.pdf");
    const QString info = PdfInfo(pdf);
    const QRegularExpressionMatch pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    ASSERT_TRUE(pages.hasMatch()) << info.toStdString();
    EXPECT_GE(pages.captured(1).toInt(), 2);

    // Every line of the trace and every row of the breakdown is in the text.
    std::string errors;
    FileAccess files;
    FileDataSource source(files);
    Evaluator evaluator(source, std::nullopt);
    const Evaluation e = evaluator.Evaluate("six", kSixTypes.toStdString());
    ASSERT_TRUE(e.Ok) << e.Error;
    const QString text = PdfText(pdf);
    QJsonObject json;
    AddBreakdownJson(json, e);
    ASSERT_EQ(json["breakdown"].toArray().size(), 6);
    for (const QJsonValue& line : json["trace"].toArray())
        EXPECT_TRUE(HasText(text, line.toString())) << line.toString().toStdString();
    EXPECT_TRUE(HasText(text, "Page 2"));
}

TEST_F(ReportTest, HtmlIsOneFileWithTheChartInside)
{
    const QByteArray html = ReadAll(Report(kWorkedExample, "worked.html"));
    ASSERT_FALSE(html.isEmpty());
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
    EXPECT_EQ(html.count("<svg"), 1);
    EXPECT_TRUE(html.contains("</svg>"));
    // Nothing is fetched from elsewhere.
    for (const char* outside : {"<img", "<link", "<script", "src=", "url("})
        EXPECT_FALSE(html.contains(outside)) << outside;
    for (const char* part : {"<td>Estimated Flash Cycles</td><td>10472</td>",
             "Flash cycles = ceil((9724 + 11219) x 0.5) = 10472",
             "<td>Total User Bytes + Overhead</td><td>4400</td>", "Application LifeTime (in years)",
             "Application InSpec for Lifetime and Endurance"})
        EXPECT_TRUE(html.contains(part)) << part;
}

TEST_F(ReportTest, SectionsOfTheToolsAppearInTheDocument)
{
    FileAccess files;
    FileDataSource source(files);
    Evaluator evaluator(source, std::nullopt);
    const Evaluation e = evaluator.Evaluate("w", kWorkedExample.toStdString());
    ASSERT_TRUE(e.Ok);
    ReportDocument document
        = BuildReport(MakeReportContent(e.Config, e.Result, evaluator.Chart(), {}, std::nullopt));
    ReportTable table;
    table.Header = {"Candidate", "Blocks", "Cycles"};
    table.Rows = {{"1", "3 x 16384", "5200"}};
    table.NumberColumns = {2};
    document.AddSection("Best Candidate")
        .AddLines(QStringList {"Three blocks keep it in spec."})
        .AddTable(table);

    const QString pdf = m_dir.filePath("extra.pdf");
    QString error;
    ASSERT_TRUE(WriteReportFile(document, pdf, ReportPageSize::A4, error)) << error.toStdString();
    const QString text = PdfText(pdf);
    for (const char* part : {"Session file: (none)", "Best Candidate",
             "Three blocks keep it in spec.", "Candidate Blocks Cycles", "1 3 x 16384 5200"})
        EXPECT_TRUE(HasText(text, part)) << part;
}

// The lines of a section of the document, in order.
QStringList SectionLines(const ReportDocument& document, const QString& title)
{
    QStringList lines;
    for (const ReportSection& section : document.Sections()) {
        if (section.Title() != title)
            continue;
        for (const ReportBlock& block : section.Blocks())
            lines += block.Lines;
    }
    return lines;
}

// The headline says what the verdict lines under it say: a design whose data fits its
// blocks but that needs more cycles than the flash has is out of spec.
TEST(ReportVerdict, HeadlineFollowsTheVerdictNotTheFit)
{
    EvalConfig config;
    config.Scheme = "ECC16 Var-Length";
    config.RecordAlignment = 16;
    config.BlockCount = 2;
    config.BlockBytes = {16384, 16384};
    config.DataTypeCount = 1;
    config.DataTypes[0] = {512, 10, 8, true, 0};
    const auto headline = [&config](int64_t updates) {
        config.DataTypes[0].Updates = updates;
        const EvalResult result = Evaluate(config);
        EXPECT_TRUE(result.Fits);
        return SectionLines(
            BuildReport(MakeReportContent(config, result, ChartModel {}, {}, std::nullopt)),
            "Spec Notification");
    };

    const QStringList over = headline(1000);
    ASSERT_EQ(over.size(), 3) << over.join('\n').toStdString();
    EXPECT_EQ(over[0], "Verdict: Out of Spec");
    EXPECT_TRUE(over[2].startsWith("Recommended:increase")) << over[2].toStdString();

    EXPECT_EQ(headline(10),
        (QStringList {"Verdict: In Spec", "Application InSpec for Lifetime and Endurance"}));
}

TEST_F(ReportTest, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft)
{
    FileAccess files;
    FileDataSource source(files);
    Evaluator evaluator(source, std::nullopt);
    const Evaluation e = evaluator.Evaluate("w", kWorkedExample.toStdString());
    ASSERT_TRUE(e.Ok);
    const ReportDocument document
        = BuildReport(MakeReportContent(e.Config, e.Result, evaluator.Chart(), {}, std::nullopt));

    QString error;
    const QString missingFolder = m_dir.filePath("no/such/folder/r.pdf");
    EXPECT_FALSE(WriteReportFile(document, missingFolder, ReportPageSize::A4, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(missingFolder));

    // An unknown suffix leaves a file of that name as it was.
    const QString text = m_dir.filePath("notes.txt");
    QFile old(text);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    EXPECT_FALSE(WriteReportFile(document, text, ReportPageSize::A4, error));
    EXPECT_EQ(error, kReportSuffixMessage);
    EXPECT_EQ(ReadAll(text), "old");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList {"notes.txt"});
}

} // namespace
} // namespace eee::test
