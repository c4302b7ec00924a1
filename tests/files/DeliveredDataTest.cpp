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

// Numbers in the delivered files' integer fields, as a schema reads them:
// white space around them is no part of the value.
struct NumberText
{
    const char* Name;
    const char* Element;
    std::string Text;
    bool Valid;
    int32_t Read = 0; // the value read, for a valid text
};

class DeliveredSchemaNumber : public DeliveredData, public ::testing::WithParamInterface<NumberText>
{ };

TEST_P(DeliveredSchemaNumber, IsValidOrNotAsTheSchemaSays)
{
    const NumberText& c = GetParam();
    const std::string tag = std::string("<") + c.Element + ">";
    const std::string end = std::string("</") + c.Element + ">";
    std::string session = test::ReadAll(test::DeliveredFile("Defaults.xml"));
    const std::size_t at = session.find(tag) + tag.size();
    session.replace(at, session.find(end, at) - at, c.Text);
    module.Write("s.xml", session);

    SessionRecord read;
    EXPECT_EQ(files.ReadSession(read, "s.xml", error), c.Valid) << error;
    if (!c.Valid) {
        EXPECT_THAT(error, ::testing::StartsWith("Validation failed on s.xml\n"));
        return;
    }
    const std::string element = c.Element;
    const int32_t value = element == "BlockOverhead" ? read.BlockOverhead
        : element == "CusOverheadEn"                 ? static_cast<int32_t>(read.CusOverheadEn)
        : element == "DataSize"                      ? read.DataTypes[0].DataSize
        : element == "Updates"                       ? read.DataTypes[0].Updates
        : element == "Records"                       ? read.DataTypes[0].Records
        : element == "Frequency"                     ? read.DataTypes[0].Frequency
                                                     : read.DataTypes[0].CusOverhead;
    EXPECT_EQ(value, c.Read);
}

INSTANTIATE_TEST_SUITE_P(Session, DeliveredSchemaNumber,
    ::testing::Values(NumberText {"BlanksAround", "BlockOverhead", " 7 ", true, 7},
        NumberText {"LineBreaksAround", "DataSize", "\n  300\n  ", true, 300},
        NumberText {"TabsAndSign", "Updates", "\t+12\t", true, 12},
        NumberText {"LeadingZeros", "Records", " 0008 ", true, 8},
        NumberText {"FlagWithBlanks", "CusOverheadEn", " -1 ", true, 1},
        NumberText {"FrequencyWithBreaks", "Frequency", "\r\n1\r\n", true, 1},
        NumberText {"LargestInt", "CusOverhead", "2147483647", true, 2147483647},
        NumberText {"SmallestInt", "BlockOverhead", " -2147483648 ", true, -2147483647 - 1},
        NumberText {"BeyondInt", "CusOverhead", "2147483648", false},
        NumberText {"BelowInt", "BlockOverhead", "-2147483649", false},
        NumberText {"FrequencyTwo", "Frequency", " 2 ", false},
        NumberText {"BlankInside", "DataSize", "3 00", false},
        NumberText {"Fraction", "Records", "8.0", false},
        NumberText {"Empty", "Updates", "  ", false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DeliveredData, CatalogueNumbersMayHaveWhiteSpaceAround)
{
    std::string catalogue = test::ReadAll(test::DeliveredFile("SchemeInfo.xml"));
    const std::string alignment = "<RecordAlignment>8</RecordAlignment>";
    catalogue.replace(
        catalogue.find(alignment), alignment.size(), "<RecordAlignment>\n  8\n</RecordAlignment>");
    const std::string retention = "<DataRetention>0</DataRetention>";
    catalogue.replace(
        catalogue.find(retention), retention.size(), "<DataRetention> 1 </DataRetention>");
    module.Write("SchemeInfo.xml", catalogue);

    std::vector<BlockInfo> blocks;
    int32_t alignmentRead = 0;
    bool retentionRead = false;
    EXPECT_EQ(
        files.ReadBlockInfo("ECC8 Fixed-Length", error, blocks, alignmentRead, retentionRead), "");
    EXPECT_EQ(alignmentRead, 8);
    EXPECT_TRUE(retentionRead);
    EXPECT_EQ(blocks.size(), 4u);
}

TEST_F(DeliveredData, CatalogueAlignmentOutsideItsRangeIsNotValid)
{
    const std::string alignment = "<RecordAlignment>8</RecordAlignment>";
    for (const char* text : {"0", " 4097 ", "-8", "8x"}) {
        std::string catalogue = test::ReadAll(test::DeliveredFile("SchemeInfo.xml"));
        catalogue.replace(catalogue.find(alignment), alignment.size(),
            std::string("<RecordAlignment>") + text + "</RecordAlignment>");
        module.Write("SchemeInfo.xml", catalogue);
        std::vector<std::string> names;
        files.ReadSchemeList(error, names);
        EXPECT_THAT(error, ::testing::StartsWith("Validation failed on SchemeInfo.xml\n")) << text;
    }
}

TEST_F(DeliveredData, TextsOfOnlyWhiteSpaceAreNotValid)
{
    // Read, they would be empty texts that no saved session may hold.
    for (const char* element : {"Scheme", "BlockSize"}) {
        const std::string tag = std::string("<") + element + ">";
        std::string session = test::ReadAll(test::DeliveredFile("Defaults.xml"));
        const std::size_t at = session.find(tag) + tag.size();
        session.replace(at, session.find('<', at) - at, "\n\n \t\n");
        module.Write("s.xml", session);
        SessionRecord read;
        EXPECT_FALSE(files.ReadSession(read, "s.xml", error)) << element;
        EXPECT_THAT(error, ::testing::StartsWith("Validation failed on s.xml\n")) << element;
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
