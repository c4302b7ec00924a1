// Replays every input that the fuzzer ever found to crash or hang the readers
// (kept in regressions/), and the fuzzer's seed files, as a session file and
// as the catalogue.
#include "TestSupport.h"

#include "files/FileAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace eee {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> RegressionInputs()
{
    std::vector<std::string> inputs;
    for (const char* folder : {EEE_FUZZ_REGRESSION_DIR, EEE_FUZZ_CORPUS_DIR}) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            if (entry.is_regular_file() && entry.path().filename() != "README.md")
                inputs.push_back(entry.path().string());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

TEST(FuzzRegression, EveryFoundInputIsReadSafely)
{
    const auto inputs = RegressionInputs();
    ASSERT_FALSE(inputs.empty());
    for (const auto& input : inputs) {
        SCOPED_TRACE(input);
        test::TempModule module;
        const std::string bytes = test::ReadAll(input);
        module.Write("Session.xml", bytes);
        module.Write("SchemeInfo.xml", bytes);
        FileAccess files(module.Path());
        SessionRecord record;
        std::string error;
        files.ReadSession(record, "Session.xml", error);
        EXPECT_LE(record.DataTypes.size(), 6u);
        EXPECT_LE(record.BlocksSelected, 6);
        std::vector<std::string> names;
        files.ReadSchemeList(error, names);
        for (const auto& name : names) {
            std::vector<BlockInfo> blocks;
            int32_t alignment = 0;
            bool retention = false;
            files.ReadBlockInfo(name, error, blocks, alignment, retention);
            EXPECT_LE(blocks.size(), 6u);
        }
    }
}

} // namespace
} // namespace eee
