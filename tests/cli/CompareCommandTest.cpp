// eee-calc-cli compare: the key-by-key comparison, and the command end to end
// (what it prints in each form and its exit status). The evaluations are
// evaluate's own.
#include "cli/CompareCommand.h"
#include "CliTestSupport.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <regex>

namespace eee::test {
namespace {

std::vector<std::string> Differing(const std::vector<KeyComparison>& keys)
{
    std::vector<std::string> differing;
    for (const KeyComparison& k : keys) {
        if (k.Differs)
            differing.push_back(k.Key.toStdString());
    }
    return differing;
}

TEST(CompareKeys, EveryKeyOfEitherObjectOnceInKeyOrder)
{
    const QJsonObject a {{"ok", true}, {"b", 1}, {"file", "a.xml"}};
    const QJsonObject b {{"ok", true}, {"error", "x"}, {"file", "b.xml"}};
    const std::vector<KeyComparison> keys = CompareKeys(a, b);
    std::vector<std::string> names;
    for (const KeyComparison& k : keys)
        names.push_back(k.Key.toStdString());
    EXPECT_EQ(names, (std::vector<std::string> {"b", "error", "file", "ok"}));
    EXPECT_EQ(keys[0].A, QJsonValue(1));
    EXPECT_TRUE(keys[0].B.isUndefined());
}

TEST(CompareKeys, MarksEveryDifferingValueButTheFileName)
{
    const QJsonObject a {{"file", "a.xml"}, {"same", 3}, {"number", 10472}, {"flag", true},
        {"list", QJsonArray {"x4000", "x4000"}}, {"nested", QJsonArray {QJsonObject {{"u", 10}}}},
        {"nullOrMissing", QJsonValue(QJsonValue::Null)}, {"onlyA", 1}};
    const QJsonObject b {{"file", "b.xml"}, {"same", 3.0}, {"number", 10473}, {"flag", false},
        {"list", QJsonArray {"x4000", "x8000"}}, {"nested", QJsonArray {QJsonObject {{"u", 20}}}},
        {"onlyB", QJsonValue(QJsonValue::Null)}};
    EXPECT_EQ(Differing(CompareKeys(a, b)),
        (std::vector<std::string> {
            "flag", "list", "nested", "nullOrMissing", "number", "onlyA", "onlyB"}));
    EXPECT_TRUE(Differing(CompareKeys(a, a)).empty());
}

class CompareCommandTest : public ::testing::Test
{
protected:
    std::string Session(const std::string& name, const std::string& xml)
    {
        const std::string path = m_dir / name;
        WriteFile(path, xml);
        return path;
    }
    TempDir m_dir;
};

TEST_F(CompareCommandTest, JsonHoldsWhatEvaluatePrintsForEachFileAndTheDifferences)
{
    const std::string a = Session("a.xml", WorkedExampleXml("20"));
    const std::string b = Session("b.xml", WorkedExampleXml("10"));
    const RunResult r = RunCli({"compare", a, b, "--json"});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    ASSERT_EQ(Lines(r.Out).size(), 1u) << r.Out;
    const QJsonObject json = JsonObject(r.Out);
    EXPECT_EQ(json.keys(), (QStringList {"a", "b", "differences"}));
    EXPECT_EQ(json["a"].toObject(), JsonObject(RunCli({"evaluate", a, "--json"}).Out));
    EXPECT_EQ(json["b"].toObject(), JsonObject(RunCli({"evaluate", b, "--json"}).Out));
    // Half the lifetime of daily updates: half the updates and cycles, the same bytes and
    // refresh interval.
    EXPECT_EQ(json["differences"].toArray(),
        (QJsonArray {"breakdown", "flashCycles", "lifetimeUpdates", "lifetimeUpdatesText",
            "lifetimeYears", "maxUpdateRequirement", "trace"}));
}

TEST_F(CompareCommandTest, RefusedFileIsComparedAsItsRefusalAndExitsWithOne)
{
    const std::string a = Session("a.xml", WorkedExampleXml());
    const std::string b = Session("b.xml", WorkedExampleXml("120"));
    const RunResult r = RunCli({"compare", a, b, "--json"});
    EXPECT_EQ(r.Exit, 1);
    const QJsonObject json = JsonObject(r.Out);
    EXPECT_EQ(json["b"].toObject(), JsonObject(RunCli({"evaluate", b, "--json"}).Out));
    EXPECT_FALSE(json["b"].toObject()["ok"].toBool());
    const QJsonArray differences = json["differences"].toArray();
    EXPECT_TRUE(differences.contains("ok"));
    EXPECT_TRUE(differences.contains("error"));
    EXPECT_TRUE(differences.contains("flashCycles"));
    EXPECT_FALSE(differences.contains("file"));
    EXPECT_FALSE(differences.contains("warnings"));
}

TEST_F(CompareCommandTest, TextShowsBothValuesOfEveryKeyAndMarksTheDifferingOnes)
{
    const std::string a = Session("a.xml", WorkedExampleXml("20"));
    const std::string b = Session(
        "b.xml", SessionXml("ECC16 Var-Length", "20", {"x4000", "x8000"}, {{512, 10, 8, 1, 0}}));
    const RunResult r = RunCli({"compare", a, b});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    const std::vector<std::string> lines = Lines(r.Out);
    // The line of a key as "MARKER|KEY|A|B", the padding taken out.
    auto line = [&](const std::string& key) {
        const std::regex pattern("^([* ]) (\\S+) +(.*?) *\\| (.*)$");
        std::smatch m;
        for (const std::string& l : lines) {
            if (std::regex_match(l, m, pattern) && m[2] == key)
                return m[1].str() + '|' + m[2].str() + '|' + m[3].str() + '|' + m[4].str();
        }
        return "<no line for " + key + ">";
    };
    EXPECT_EQ(line("file"), " |file|" + a + '|' + b) << r.Out;
    EXPECT_EQ(line("scheme"), " |scheme|ECC16 Var-Length|ECC16 Var-Length") << r.Out;
    EXPECT_EQ(line("flashUsedBytes"), "*|flashUsedBytes|32768|49152") << r.Out;
    EXPECT_EQ(line("lifetimeYears"), " |lifetimeYears|20|20") << r.Out;
    EXPECT_EQ(line("warnings"), " |warnings|(none)|(none)") << r.Out;
    // A list has a line per element.
    EXPECT_EQ(line("blocks[1]"), " |blocks[1]|x4000|x4000") << r.Out;
    EXPECT_EQ(line("blocks[2]"), "*|blocks[2]|x4000|x8000") << r.Out;
    EXPECT_EQ(line("dataTypes[1]"),
        " |dataTypes[1]|customOverhead 0, dataSize 512, frequency daily, recordOverhead 32, "
        "records 8, updates 10|customOverhead 0, dataSize 512, frequency daily, recordOverhead "
        "32, records 8, updates 10")
        << r.Out;
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().starts_with("Differing: blockBytes, blocks, ")) << lines.back();
}

TEST(CompareCommandUsage, TakesExactlyTwoFiles)
{
    for (const std::vector<std::string>& args : {std::vector<std::string> {"compare", "a.xml"},
             std::vector<std::string> {"compare", "a.xml", "b.xml", "c.xml"}}) {
        const RunResult r = RunCli(args);
        EXPECT_EQ(r.Exit, 2);
        EXPECT_EQ(r.Out, "");
        EXPECT_EQ(r.Err,
            "eee-calc-cli: compare: compare takes two session files\nTry 'eee-calc-cli compare "
            "--help'.\n");
    }
}

} // namespace
} // namespace eee::test
