// eee-calc-cli report's usage and failures, the breakdown in evaluate's JSON and the
// exit status of evaluate --check.
#include "ReportTestSupport.h"

#include "calc/Breakdown.h"
#include "cli/ReportCommand.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"
#include "report/ReportFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace eee::test {
namespace {

const QString kWorkedExample = EEE_SESSIONS_DIR "/ecc16-var-worked-example.xml";

struct UsageCase
{
    const char* Name;
    ReportRequest Request;
    const char* Message;
};

class ReportUsageTest : public ::testing::TestWithParam<UsageCase>
{ };

TEST_P(ReportUsageTest, IsRefusedWithStatus2AndNothingWritten)
{
    QTemporaryDir dir;
    ReportRequest request = GetParam().Request;
    if (!request.Output.isEmpty())
        request.Output = dir.filePath(request.Output);
    std::string errors;
    EXPECT_EQ(RunReportCommand(request, errors), 2);
    EXPECT_EQ(errors, std::string("eee-calc-cli: ") + GetParam().Message + "\n");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Report, ReportUsageTest,
    ::testing::Values(UsageCase {"NoFile", {"", "r.pdf", "", "a4"}, "report needs a session file"},
        UsageCase {"NoOutput", {kWorkedExample, "", "", "a4"},
            "report needs an output file (-o OUT.pdf or -o OUT.html)"},
        UsageCase {"Suffix", {kWorkedExample, "r.docx", "", "a4"}, kReportSuffixMessage},
        UsageCase {"PageSize", {kWorkedExample, "r.pdf", "", "a3"},
            "unknown page size 'a3' (a4 or letter)"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ReportCommand, ARefusedSessionWritesNoReport)
{
    QTemporaryDir dir;
    const QString session = dir.filePath("broken.xml");
    QFile file(session);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<SessionData>");
    file.close();
    std::string errors;
    EXPECT_EQ(RunReportCommand({session, dir.filePath("r.pdf"), {}, "a4"}, errors), 1);
    EXPECT_EQ(errors.rfind(session.toStdString() + ": error: ", 0), 0u) << errors;
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("r.pdf")));
}

TEST(ReportCommand, TitleIsTheOneGiven)
{
    QTemporaryDir dir;
    std::string errors;
    const QString out = dir.filePath("titled.pdf");
    ASSERT_EQ(RunReportCommand({kWorkedExample, out, "Sensor node rev B", "letter"}, errors), 0)
        << errors;
    const QString text = PdfText(out);
    EXPECT_TRUE(text.startsWith("Sensor node rev B")) << text.left(200).toStdString();
    EXPECT_TRUE(PdfInfo(out).contains("Sensor node rev B"));
}

// A design out of spec carries the advisor's best candidate for its workload; one in spec
// does not.
TEST(ReportCommand, OutOfSpecDesignCarriesTheAdvisorsCandidate)
{
    QTemporaryDir dir;
    std::string errors;
    const QString over = QString(EEE_SESSIONS_DIR) + "/ecc8-var-cycles-over-2blocks.xml";
    ASSERT_EQ(RunReportCommand({over, dir.filePath("over.pdf"), {}, "a4"}, errors), 0) << errors;
    const QString text = PdfText(dir.filePath("over.pdf"));
    EXPECT_TRUE(text.contains("Design advisor")) << text.toStdString();
    EXPECT_TRUE(QString(text).simplified().contains("The design is out of spec."));

    ASSERT_EQ(RunReportCommand({kWorkedExample, dir.filePath("in.pdf"), {}, "a4"}, errors), 0);
    EXPECT_FALSE(PdfText(dir.filePath("in.pdf")).contains("Design advisor"));
}

// With a device profile the report carries its retention check, with the texts of
// Tools > Retention Check; without one it has no such section.
TEST(ReportCommand, ProfileAddsTheDataRetentionSection)
{
    QTemporaryDir dir;
    std::string errors;
    ReportRequest request {kWorkedExample, dir.filePath("r.pdf"), {}, "a4"};
    request.Retention = RetentionRequest {
        DeviceProfile {"Bench profile", 100000, {{10000, 20.0}, {100000, 10.0}}, 55.0, 0.7},
        {{14.0, 30.0}, {6.0, 50.0}}};
    ASSERT_EQ(RunReportCommand(request, errors), 0) << errors;
    const QString text = PdfText(dir.filePath("r.pdf")).simplified();
    EXPECT_TRUE(text.contains("Data retention: in spec: the mission uses 59.1% of the 10-year "
                              "retention"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Profile: Bench profile"));
    EXPECT_TRUE(text.contains("Mission: 14 years at 30 °C"));
    // The wear simulation follows it in every report.
    EXPECT_TRUE(text.contains("Wear simulation"));

    request.Retention.reset();
    request.Output = dir.filePath("plain.pdf");
    ASSERT_EQ(RunReportCommand(request, errors), 0) << errors;
    EXPECT_FALSE(PdfText(request.Output).contains("Data retention"));
}

Evaluation Evaluate(const QString& session)
{
    FileAccess files;
    FileDataSource source(files);
    Evaluator evaluator(source, std::nullopt);
    return evaluator.Evaluate(session.toStdString(), session.toStdString());
}

TEST(EvaluateJson, CarriesTheBreakdownAndTheTrace)
{
    const Evaluation e = Evaluate(kWorkedExample);
    ASSERT_TRUE(e.Ok) << e.Error;
    QJsonObject json {{"file", "w"}};
    AddBreakdownJson(json, e);
    const QJsonArray rows = json["breakdown"].toArray();
    ASSERT_EQ(rows.size(), 1);
    const QJsonObject row = rows[0].toObject();
    EXPECT_EQ(row.keys(),
        (QStringList {"bytesHeld", "bytesWritten", "cyclesSharePercent", "dataType", "firstTerm",
            "secondTerm", "writeSharePercent"}));
    EXPECT_EQ(row["dataType"].toInt(), 1);
    EXPECT_EQ(row["bytesHeld"].toInteger(), 4352);
    EXPECT_EQ(row["bytesWritten"].toDouble(), 317696000.0);
    EXPECT_EQ(row["writeSharePercent"].toDouble(), 100.0);
    EXPECT_EQ(row["firstTerm"].toDouble(), 9724.0);
    EXPECT_EQ(row["secondTerm"].toDouble(), 11219.0);
    EXPECT_EQ(row["cyclesSharePercent"].toDouble(), 100.0);
    const QJsonArray trace = json["trace"].toArray();
    ASSERT_FALSE(trace.isEmpty());
    EXPECT_TRUE(trace.contains("Flash cycles = ceil((9724 + 11219) x 0.5) = 10472"));
    EXPECT_EQ(json["file"].toString(), "w"); // what was there stays

    Evaluation refused;
    QJsonObject untouched {{"ok", false}};
    AddBreakdownJson(untouched, refused);
    EXPECT_EQ(untouched.keys(), QStringList {"ok"});
}

struct StatusCase
{
    bool AllEvaluated, AnyOutOfSpec, Check;
    int Status;
};

class EvaluateStatusTest : public ::testing::TestWithParam<StatusCase>
{ };

TEST_P(EvaluateStatusTest, FollowsTheRule)
{
    const StatusCase& c = GetParam();
    EXPECT_EQ(EvaluateExitStatus(c.AllEvaluated, c.AnyOutOfSpec, c.Check), c.Status);
}

INSTANTIATE_TEST_SUITE_P(Check, EvaluateStatusTest,
    ::testing::Values(StatusCase {true, false, false, 0}, StatusCase {true, true, false, 0},
        StatusCase {true, false, true, 0}, StatusCase {true, true, true, 3},
        StatusCase {false, true, true, 1}, StatusCase {false, false, false, 1}));

// Out of spec is what the verdict says, on every sample session.
TEST(EvaluateCheck, OutOfSpecIsWhatTheVerdictSays)
{
    int outOfSpec = 0, inSpec = 0;
    for (const QFileInfo& info :
        QDir(EEE_SESSIONS_DIR).entryInfoList({"*.xml"}, QDir::Files, QDir::Name)) {
        const Evaluation e = Evaluate(info.absoluteFilePath());
        ASSERT_TRUE(e.Ok) << e.Error;
        const bool verdictInSpec = e.Verdict[0] == "Application InSpec for Lifetime and Endurance";
        EXPECT_EQ(IsOutOfSpec(e), !verdictInSpec) << info.fileName().toStdString();
        ++(verdictInSpec ? inSpec : outOfSpec);
    }
    EXPECT_GT(inSpec, 0);
    EXPECT_GT(outOfSpec, 0);
    EXPECT_FALSE(IsOutOfSpec(Evaluation {}));
}

} // namespace
} // namespace eee::test
