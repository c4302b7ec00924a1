// The shipped sample sessions: each one loads and calculates, and together they
// cover every scheme and the cases the window and the program must agree on.
#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace eee::test {
namespace {

std::vector<std::string> SessionFiles()
{
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(EEE_SESSIONS_DIR)) {
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(SessionFilesTest, EveryFileEvaluatesAndTheSetCoversTheCases)
{
    const std::vector<std::string> files = SessionFiles();
    ASSERT_GE(files.size(), 20u);
    std::vector<std::string> args {"evaluate", "--json"};
    args.insert(args.end(), files.begin(), files.end());
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.Exit, 0) << r.Err;
    const std::vector<std::string> lines = Lines(r.Out);
    ASSERT_EQ(lines.size(), files.size());

    std::set<QString> schemes;
    std::set<qsizetype> blockCounts;
    bool total = false, daily = false, customized = false, longLife = false, manyCycles = false;
    for (const std::string& line : lines) {
        const QJsonObject json = JsonObject(line);
        EXPECT_EQ(json["ok"], true) << line;
        EXPECT_EQ(json["warnings"], QJsonArray {}) << line;
        schemes.insert(json["scheme"].toString());
        blockCounts.insert(json["blockBytes"].toArray().size());
        for (const QJsonValue& type : json["dataTypes"].toArray()) {
            total = total || type["frequency"] == "total";
            daily = daily || type["frequency"] == "daily";
        }
        customized = customized || json["customOverheadEnabled"] == true;
        longLife = longLife || json["lifetimeYears"].toDouble() > 20;
        manyCycles = manyCycles || json["flashCycles"].toDouble() > 100000;
    }
    EXPECT_EQ(schemes.size(), 6u);
    EXPECT_EQ(blockCounts, (std::set<qsizetype> {2, 3, 4, 5, 6}));
    EXPECT_TRUE(total);
    EXPECT_TRUE(daily);
    EXPECT_TRUE(customized);
    EXPECT_TRUE(longLife);
    EXPECT_TRUE(manyCycles);
}

} // namespace
} // namespace eee::test
