// The advise subcommand called in-process over an in-memory catalogue: which files are
// advised and which refused, the JSON keys, the table, the options and the exit status.
#include "cli/AdviseCommand.h"
#include "CliTestSupport.h"
#include "cli/Commands.h"
#include "tests/support/FakeDataSource.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace eee::test {
namespace {

using testing_support::FakeDataSource;
using testing_support::MakeSession;

QSet<QString> Keys(const QJsonObject& o)
{
    const QStringList keys = o.keys();
    return QSet<QString>(keys.begin(), keys.end());
}

class AdviseCommandTest : public ::testing::Test
{
protected:
    AdviseCommandTest()
        : m_data(FakeDataSource::WithBlocks({"x2000", "x4000", "x8000", "x10000", "x20000"}))
        , m_evaluator(m_data, MakeSession("ECC16 Var-Length", 20.0f, {"x4000", "x4000"}, {}))
    { }

    // Runs the subcommand over records stored under their names; a name without a
    // record is a file that cannot be read.
    int Run(const std::vector<std::pair<std::string, std::optional<SessionRecord>>>& files,
        AdviseOptions options = {})
    {
        std::vector<AdviseFile> named;
        for (const auto& [name, record] : files) {
            if (record)
                m_data.Sessions[name] = *record;
            named.push_back({name, name, {}});
        }
        m_out.clear();
        m_err.clear();
        return RunAdvise(
            m_data, m_evaluator, named, options, [this](const std::string& t) { m_out += t; },
            [this](const std::string& t) { m_err += t; });
    }

    std::vector<QJsonObject> JsonLines() const
    {
        std::vector<QJsonObject> objects;
        size_t start = 0;
        while (start < m_out.size()) {
            const size_t end = m_out.find('\n', start);
            const std::string line = m_out.substr(start, end - start);
            QJsonParseError error;
            const QJsonDocument doc
                = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
            EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
            objects.push_back(doc.object());
            start = end + 1;
        }
        return objects;
    }

    FakeDataSource m_data;
    Evaluator m_evaluator;
    std::string m_out;
    std::string m_err;
};

// Six types, daily and total, whose blocks are too small in cycles: out of spec.
SessionRecord OutOfSpec(const std::string& scheme = "ECC16 Var-Length")
{
    return MakeSession(scheme, 20.0f, {"x4000", "x4000"},
        {{512, 100, 8, 1, 0}, {64, 40, 8, 1, 0}, {16, 1000, 20, 0, 0}});
}

AdviseOptions Json(SchemeScope scope = SchemeScope::All, int top = 10, double margin = 0)
{
    AdviseOptions options;
    options.Json = true;
    options.Advisor = {margin, scope, top};
    return options;
}

TEST_F(AdviseCommandTest, JsonHasExactlyTheKeysOfTheAdvice)
{
    ASSERT_EQ(Run({{"a.xml", OutOfSpec()}, {"missing.xml", std::nullopt}}, Json()), 1);
    const std::vector<QJsonObject> lines = JsonLines();
    ASSERT_EQ(lines.size(), 2u);
    const QSet<QString> top {
        "file", "ok", "marginPercent", "schemes", "current", "candidates", "searched", "note"};
    for (const QJsonObject& o : lines)
        EXPECT_EQ(Keys(o), top);

    const QJsonObject& a = lines[0];
    EXPECT_EQ(a["file"].toString(), "a.xml");
    EXPECT_TRUE(a["ok"].toBool());
    EXPECT_EQ(a["marginPercent"].toDouble(), 0.0);
    EXPECT_EQ(a["schemes"].toString(), "all");
    EXPECT_GT(a["searched"].toInt(), 1000);
    const QJsonObject current = a["current"].toObject();
    EXPECT_EQ(Keys(current),
        (QSet<QString> {"scheme", "blocks", "flashUsedBytes", "flashCycles", "inSpec",
            "headroomFactor", "inSpecYears"}));
    EXPECT_EQ(current["scheme"].toString(), "ECC16 Var-Length");
    EXPECT_EQ(current["blocks"].toArray(), (QJsonArray {"x4000", "x4000"}));
    EXPECT_EQ(current["flashUsedBytes"].toDouble(), 32768.0);
    EXPECT_GT(current["flashCycles"].toDouble(), 100000.0);
    EXPECT_FALSE(current["inSpec"].toBool());
    EXPECT_GT(current["headroomFactor"].toDouble(), 0.0);
    EXPECT_LT(current["headroomFactor"].toDouble(), 1.0);
    const QJsonArray candidates = a["candidates"].toArray();
    ASSERT_EQ(candidates.size(), 10);
    for (const QJsonValue& value : candidates) {
        const QJsonObject c = value.toObject();
        EXPECT_EQ(Keys(c),
            (QSet<QString> {"scheme", "blocks", "flashUsedBytes", "flashCycles", "inSpecYears",
                "inSpec", "cyclesMarginPercent"}));
        EXPECT_TRUE(c["inSpec"].toBool());
        EXPECT_TRUE(c["blocks"].toArray().first().isString());
        EXPECT_DOUBLE_EQ(
            c["cyclesMarginPercent"].toDouble(), (100000.0 - c["flashCycles"].toDouble()) / 1000.0);
    }
    EXPECT_NE(a["note"].toString().indexOf("Fixed-length schemes"), -1);

    // A file that cannot be read: refused, with the reason.
    const QJsonObject& missing = lines[1];
    EXPECT_FALSE(missing["ok"].toBool());
    EXPECT_TRUE(missing["current"].isNull());
    EXPECT_TRUE(missing["candidates"].toArray().isEmpty());
    EXPECT_NE(missing["note"].toString().indexOf("loading failed"), -1);
}

TEST_F(AdviseCommandTest, AdvisedConfigurationEvaluatesAsAdvised)
{
    ASSERT_EQ(Run({{"a.xml", OutOfSpec()}}, Json()), 0);
    const QJsonObject best = JsonLines().at(0)["candidates"].toArray().first().toObject();
    std::vector<std::string> blocks;
    for (const QJsonValue& b : best["blocks"].toArray())
        blocks.push_back(b.toString().toStdString());
    SessionRecord record = OutOfSpec(best["scheme"].toString().toStdString());
    record.BlocksSelected = static_cast<int32_t>(blocks.size());
    for (size_t k = 0; k < blocks.size(); ++k)
        record.BlockSize[k] = blocks[k];
    m_data.Sessions["best.xml"] = RecordWithConfiguration(record, record.Scheme, blocks);
    const Evaluation e = m_evaluator.Evaluate("best.xml", "best.xml");
    ASSERT_TRUE(e.Ok) << e.Error;
    EXPECT_EQ(e.FlashCycles, best["flashCycles"].toDouble());
    EXPECT_EQ(static_cast<double>(e.FlashUsedBytes), best["flashUsedBytes"].toDouble());
    EXPECT_EQ(e.Verdict[0], "Application InSpec for Lifetime and Endurance");
}

TEST_F(AdviseCommandTest, DataThatDoesNotFitIsAdvisedNotRefused)
{
    const SessionRecord tooBig
        = MakeSession("ECC16 Var-Length", 20.0f, {"x2000", "x2000"}, {{512, 10, 20, 0, 0}});
    ASSERT_EQ(Run({{"big.xml", tooBig}}, Json()), 0);
    const QJsonObject o = JsonLines().at(0);
    EXPECT_TRUE(o["ok"].toBool());
    const QJsonObject current = o["current"].toObject();
    EXPECT_EQ(current["blocks"].toArray(), (QJsonArray {"x2000", "x2000"}));
    EXPECT_TRUE(current["flashCycles"].isNull());
    EXPECT_FALSE(current["inSpec"].toBool());
    EXPECT_EQ(current["headroomFactor"].toDouble(), 0.0);
    EXPECT_FALSE(o["candidates"].toArray().isEmpty());
    // The fit check's message is still told, as a warning.
    EXPECT_NE(
        m_err.find("Block size selected is less than the total data size"), std::string::npos);
}

TEST_F(AdviseCommandTest, FieldOutOfRangeIsRefusedAsEvaluateRefusesIt)
{
    const SessionRecord bad
        = MakeSession("ECC16 Var-Length", 20.0f, {"x2000", "x2000"}, {{5000, 10, 20, 0, 0}});
    EXPECT_EQ(Run({{"bad.xml", bad}}), 1);
    EXPECT_TRUE(m_out.empty()) << m_out;
    EXPECT_NE(m_err.find("bad.xml: error: "), std::string::npos) << m_err;
}

TEST_F(AdviseCommandTest, TableShowsCurrentHeadroomAndCandidates)
{
    AdviseOptions options;
    options.Advisor.Top = 3;
    options.Advisor.MarginPercent = 10;
    const SessionRecord light
        = MakeSession("ECC16 Var-Length", 20.0f, {"x4000", "x4000"}, {{512, 10, 8, 1, 0}});
    ASSERT_EQ(Run({{"light.xml", light}, {"b.xml", OutOfSpec()}}, options), 0);
    EXPECT_TRUE(m_err.empty()) << m_err;
    EXPECT_EQ(m_out.find("File: light.xml\nCurrent: ECC16 Var-Length, 2 blocks x4000 x4000, "
                         "flash used 32768 bytes, 10472 flash cycles, in spec\n"),
        0u)
        << m_out;
    EXPECT_NE(m_out.find("Headroom: every data type's updates x8."), std::string::npos) << m_out;
    EXPECT_NE(
        m_out.find("stay within 90000 flash cycles; in spec for 20.0 years\n"), std::string::npos);
    EXPECT_NE(m_out.find("margin 10 %"), std::string::npos);
    EXPECT_NE(m_out.find("Rank  Scheme"), std::string::npos);
    EXPECT_NE(m_out.find("\n   3  "), std::string::npos);
    EXPECT_EQ(m_out.find("\n   4  "), std::string::npos);
    EXPECT_NE(m_out.find("\n\nFile: b.xml\n"), std::string::npos);
    EXPECT_NE(m_out.find("Note: Fixed-length schemes"), std::string::npos);
}

TEST_F(AdviseCommandTest, SameSchemeSearchesOnlyTheFilesScheme)
{
    ASSERT_EQ(Run({{"a.xml", OutOfSpec("ECC32 Var-Length")}}, Json(SchemeScope::Same, 2, 20)), 0);
    const QJsonObject o = JsonLines().at(0);
    EXPECT_EQ(o["schemes"].toString(), "same");
    EXPECT_EQ(o["marginPercent"].toDouble(), 20.0);
    // Five block sizes, 2 to 6 blocks: 15 + 35 + 70 + 126 + 210 multisets.
    EXPECT_EQ(o["searched"].toInt(), 456);
    const QJsonArray candidates = o["candidates"].toArray();
    ASSERT_EQ(candidates.size(), 2);
    for (const QJsonValue& c : candidates) {
        EXPECT_EQ(c["scheme"].toString(), "ECC32 Var-Length");
        EXPECT_LE(c["flashCycles"].toDouble(), 80000.0);
    }
    EXPECT_TRUE(o["note"].toString().isEmpty());
}

struct OptionCase
{
    std::vector<std::string> Args;
    bool Ok = false;
    double Margin = 0.0;
    SchemeScope Scope = SchemeScope::All;
    int Top = 0;
    std::vector<std::string> Files = {};
    bool Json = false;
};

class AdviseOptionsTest : public ::testing::TestWithParam<OptionCase>
{ };

// Through the program's own command line: the options of the advise command.
TEST_P(AdviseOptionsTest, ValuesAreReadOrRefused)
{
    const OptionCase& c = GetParam();
    std::vector<std::string> args {"advise"};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const ParsedCommandLine parsed = ParseCommandLine(AllCommands(), args);
    if (!c.Ok) {
        EXPECT_EQ(parsed.What, Action::UsageError);
        EXPECT_FALSE(parsed.Error.empty());
        return;
    }
    ASSERT_EQ(parsed.What, Action::Run) << parsed.Error;
    std::string error;
    const std::optional<AdviseOptions> options = ReadAdviseOptions(*parsed.Options, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->Advisor.MarginPercent, c.Margin);
    EXPECT_EQ(options->Advisor.Schemes, c.Scope);
    EXPECT_EQ(options->Advisor.Top, c.Top);
    EXPECT_EQ(options->Files, c.Files);
    EXPECT_EQ(options->Json, c.Json);
}

INSTANTIATE_TEST_SUITE_P(Table, AdviseOptionsTest,
    ::testing::Values(OptionCase {{}, true, 0.0, SchemeScope::All, 10},
        OptionCase {
            {"a.xml", "--margin", "12.5", "--schemes", "same", "--top", "3", "b.xml", "--json"},
            true, 12.5, SchemeScope::Same, 3, {"a.xml", "b.xml"}, true},
        OptionCase {{"--margin=0", "--schemes=all"}, true, 0.0, SchemeScope::All, 10},
        OptionCase {{"--margin", "100"}}, OptionCase {{"--margin", "-1"}},
        OptionCase {{"--margin", "ten"}}, OptionCase {{"--margin", "nan"}},
        OptionCase {{"--schemes", "ALL"}}, OptionCase {{"--top", "0"}},
        OptionCase {{"--top", "2.5"}}, OptionCase {{"--top"}}));

// The built program, on the delivered data files.
TEST(AdviseProcess, DeliveredDefaultsAsJsonAndText)
{
    const RunResult json = RunCli({"advise", "--json", "--top", "2"});
    ASSERT_EQ(json.Exit, 0) << json.Err;
    EXPECT_TRUE(json.Err.empty()) << json.Err;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(json.Out)).object();
    EXPECT_TRUE(o["ok"].toBool());
    EXPECT_EQ(o["current"]["scheme"].toString(), "ECC16 Var-Length");
    EXPECT_EQ(o["candidates"].toArray().size(), 2);
    EXPECT_EQ(o["searched"].toInt(), 1512);

    const RunResult text = RunCli({"advise", "--schemes", "same", "--top", "1"});
    ASSERT_EQ(text.Exit, 0) << text.Err;
    EXPECT_NE(text.Out.find("Current: ECC16 Var-Length, 2 blocks x8000 x8000"), std::string::npos)
        << text.Out;
    EXPECT_NE(text.Out.find("\n   1  ECC16 Var-Length"), std::string::npos) << text.Out;

    const RunResult bad = RunCli({"advise", "--margin", "150"});
    EXPECT_EQ(bad.Exit, 2);
    EXPECT_NE(bad.Err.find("invalid margin '150'"), std::string::npos) << bad.Err;
}

} // namespace
} // namespace eee::test
