// The shipped sample sessions: each one loads and calculates, and together they
// cover every scheme and the cases the window and the program must agree on.
#include "CliTestSupport.h"
#include "JsonScan.h"

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

    std::set<std::string> schemes;
    std::set<size_t> blockCounts;
    bool total = false, daily = false, customized = false, longLife = false, manyCycles = false;
    for (const std::string& json : lines) {
        EXPECT_EQ(TopLevelValue(json, "ok"), "true") << json;
        EXPECT_EQ(TopLevelValue(json, "warnings"), "[]") << json;
        schemes.insert(TopLevelValue(json, "scheme"));
        const std::string blocks = TopLevelValue(json, "blockBytes");
        blockCounts.insert(static_cast<size_t>(std::count(blocks.begin(), blocks.end(), ',')) + 1);
        const std::string types = TopLevelValue(json, "dataTypes");
        total = total || Contains(types, "\"total\"");
        daily = daily || Contains(types, "\"daily\"");
        customized = customized || TopLevelValue(json, "customOverheadEnabled") == "true";
        longLife
            = longLife || std::strtod(TopLevelValue(json, "lifetimeYears").c_str(), nullptr) > 20;
        manyCycles = manyCycles
            || std::strtod(TopLevelValue(json, "flashCycles").c_str(), nullptr) > 100000;
    }
    EXPECT_EQ(schemes.size(), 6u);
    EXPECT_EQ(blockCounts, (std::set<size_t> {2, 3, 4, 5, 6}));
    EXPECT_TRUE(total);
    EXPECT_TRUE(daily);
    EXPECT_TRUE(customized);
    EXPECT_TRUE(longLife);
    EXPECT_TRUE(manyCycles);
}

} // namespace
} // namespace eee::test
