// Replays every input that the fuzzer ever found to crash, hang or break an
// invariant of the readers (kept in regressions/), and the fuzzer's seed
// files, as a session file and as the catalogue.
#include "TestSupport.h"

#include "files/FileAccess.h"
#include "files/TextUtil.h"

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

// A session the program has read, saved again, loads to the same record (a
// one-character block size comes back with a "0" in front).
void ExpectSavedSessionToLoadAgain(
    FileAccess& files, const test::TempModule& module, const SessionRecord& record)
{
    std::string error;
    ASSERT_TRUE(files.WriteSession(record, module.File("Saved.xml"), error)) << error;
    SessionRecord again;
    ASSERT_TRUE(files.ReadSession(again, "Saved.xml", error)) << error;
    SessionRecord expected = record;
    for (int i = 0; i < expected.BlocksSelected; ++i) {
        if (text::Utf8Length(expected.BlockSize[i]) == 1)
            expected.BlockSize[i] = "0" + expected.BlockSize[i];
    }
    again.LifeTime = expected.LifeTime; // written with seven digits
    EXPECT_EQ(again, expected);
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
        const bool loaded = files.ReadSession(record, "Session.xml", error);
        EXPECT_LE(record.DataTypes.size(), 6u);
        EXPECT_LE(record.BlocksSelected, 6);
        // As in the fuzz target, lifetimes far outside any real use are left out.
        if (loaded && record.LifeTime >= 0.001f && record.LifeTime <= 1.0e6f)
            ExpectSavedSessionToLoadAgain(files, module, record);
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
