// The data files delivered beside the program.
#include "TestSupport.h"

#include "files/FileAccess.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

namespace eee {
namespace {

using ::testing::ElementsAre;

class DeliveredData : public ::testing::Test
{
protected:
    DeliveredData()
    {
        module.CopyDelivered("SchemeInfo.xml");
        module.CopyDelivered("Defaults.xml");
    }
    test::TempModule module;
    FileAccess files {module.Path()};
    std::string error;
};

TEST_F(DeliveredData, CatalogueListsTheSixSchemesInOrder)
{
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    EXPECT_EQ(error, "");
    EXPECT_THAT(names,
        ElementsAre("ECC8 Fixed-Length", "ECC8 Var-Length", "ECC16 Fixed-Length",
            "ECC16 Var-Length", "ECC32 Fixed-Length", "ECC32 Var-Length"));
}

TEST_F(DeliveredData, EverySchemeHasItsAlignmentAndReadableBlockSizes)
{
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    const int32_t expectedAlignment[] = {8, 8, 16, 16, 32, 32};
    ASSERT_EQ(names.size(), 6u);
    const std::regex sizeText("x[0-9A-F]+");
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::vector<BlockInfo> blocks;
        int32_t alignment = 0;
        bool retention = false;
        EXPECT_EQ(files.ReadBlockInfo(names[i], error, blocks, alignment, retention), "")
            << names[i];
        EXPECT_EQ(alignment, expectedAlignment[i]) << names[i];
        EXPECT_GE(blocks.size(), 1u);
        EXPECT_LE(blocks.size(), 6u);
        for (const auto& block : blocks) {
            EXPECT_TRUE(std::regex_match(block.SizeText, sizeText)) << block.SizeText;
            const long bytes = std::stol(block.SizeText.substr(1), nullptr, 16);
            EXPECT_GE(bytes, 16 * 1024) << block.SizeText;
            EXPECT_LE(bytes, 128 * 1024) << block.SizeText;
        }
    }
}

TEST_F(DeliveredData, DefaultsReadBackToTheExpectedSession)
{
    SessionRecord read;
    ASSERT_TRUE(files.ReadSession(read, "Defaults.xml", error)) << error;
    SessionRecord expected;
    expected.Scheme = "ECC16 Var-Length";
    expected.LifeTime = 20.0f;
    expected.BlocksSelected = 2;
    expected.BlockSize = {"x8000", "x8000", "", "", "", ""};
    expected.CusOverheadEn = false;
    expected.BlockOverhead = 0;
    expected.DataTypes = {{512, 10, 8, 0, 0}, {256, 20, 8, 0, 0}, {128, 30, 8, 0, 0},
        {64, 40, 8, 0, 0}, {32, 50, 8, 0, 0}, {16, 100, 8, 0, 0}};
    EXPECT_EQ(read, expected);
}

TEST_F(DeliveredData, DefaultBlocksAreOfferedByTheDefaultScheme)
{
    SessionRecord defaults;
    ASSERT_TRUE(files.ReadSession(defaults, "Defaults.xml", error)) << error;
    std::vector<BlockInfo> blocks;
    int32_t alignment = 0;
    bool retention = false;
    ASSERT_EQ(files.ReadBlockInfo(defaults.Scheme, error, blocks, alignment, retention), "");
    for (int32_t i = 0; i < defaults.BlocksSelected; ++i) {
        EXPECT_TRUE(std::any_of(blocks.begin(), blocks.end(), [&](const auto& b) {
            return b.SizeText == defaults.BlockSize[i];
        })) << defaults.BlockSize[i];
    }
}

TEST_F(DeliveredData, ASavedSessionValidatesAgainstTheDeliveredSchema)
{
    SessionRecord defaults;
    ASSERT_TRUE(files.ReadSession(defaults, "Defaults.xml", error)) << error;
    ASSERT_TRUE(files.WriteSession(defaults, module.File("SessionData.xml"), error)) << error;
    EXPECT_TRUE(files.ValidateAgainstSchema("SessionData.xml", error)) << error;
    SessionRecord again;
    ASSERT_TRUE(files.ReadSession(again, "SessionData.xml", error)) << error;
    EXPECT_EQ(again, defaults);
}

} // namespace
} // namespace eee
