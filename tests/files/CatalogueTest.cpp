// The scheme catalogue: ReadSchemeList and ReadBlockInfo.
#include "TestSupport.h"

#include "files/FileAccess.h"
#include "files/FileDataSource.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace eee {
namespace {

using test::CatalogueXml;
using test::TempModule;
using ::testing::ElementsAre;
using ::testing::StartsWith;

std::string Entry(const std::string& name, const std::string& alignment,
    const std::string& retention, std::initializer_list<const char*> blocks)
{
    std::string xml = "<Scheme Name=\"" + name + "\"><RecordAlignment>" + alignment
        + "</RecordAlignment><DataRetention>" + retention + "</DataRetention>";
    for (const char* block : blocks)
        xml += std::string("<BlockSize>") + block + "</BlockSize>";
    return xml + "</Scheme>\n";
}

std::vector<std::string> SizeTexts(const std::vector<BlockInfo>& blocks)
{
    std::vector<std::string> texts;
    for (const auto& b : blocks)
        texts.push_back(b.SizeText);
    return texts;
}

class Catalogue : public ::testing::Test
{
protected:
    // Replaces the strict delivered schema by one that accepts anything
    // below "Products", to reach the reader's own handling of odd entries.
    void UseLaxSchema() { module.Write("SchemeInfo.xsd", test::LaxSchema("Products")); }

    std::string ReadBlocks(const std::string& scheme)
    {
        blocks.clear();
        return files.ReadBlockInfo(scheme, error, blocks, alignment, retention);
    }

    TempModule module;
    FileAccess files {module.Path()};
    std::string error = "stale";
    std::vector<BlockInfo> blocks;
    int32_t alignment = -99;
    bool retention = false;
};

TEST_F(Catalogue, ListsNamesInFileOrderAsWritten)
{
    module.Write("SchemeInfo.xml",
        CatalogueXml(Entry("ECC16 Var-Length", "16", "1", {"x4000"})
            + Entry("ecc8 fixed-length", "8", "0", {"x8000"})
            + Entry("My Scheme", "4", "0", {"x2000"})));
    std::vector<std::string> names {"kept"};
    files.ReadSchemeList(error, names);
    EXPECT_EQ(error, "");
    EXPECT_THAT(names, ElementsAre("kept", "ECC16 Var-Length", "ecc8 fixed-length", "My Scheme"));
}

TEST_F(Catalogue, ReadsOneSchemeMatchedWithoutRegardToCase)
{
    module.Write("SchemeInfo.xml",
        CatalogueXml(Entry("ECC16 Var-Length", "16", "1", {"x4000"})
            + Entry("ecc8 fixed-length", "8", "0", {"x8000", " xC000 ", "x10000"})));
    const std::string result = ReadBlocks("ECC8 Fixed-Length");
    EXPECT_EQ(result, "");
    EXPECT_EQ(error, "");
    EXPECT_EQ(alignment, 8);
    EXPECT_FALSE(retention);
    ASSERT_EQ(blocks.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(blocks[i].Index, i);
    // Texts are trimmed, otherwise as written.
    EXPECT_THAT(SizeTexts(blocks), ElementsAre("x8000", "xC000", "x10000"));
}

TEST_F(Catalogue, UnlistedSchemeIsNamedInTheError)
{
    module.Write("SchemeInfo.xml", CatalogueXml(Entry("ECC8 Fixed-Length", "8", "0", {"x4000"})));
    EXPECT_EQ(
        ReadBlocks("ECC64 Var-Length"), "Scheme ECC64 Var-Length is not listed in SchemeInfo.xml!");
    EXPECT_EQ(error, "Scheme ECC64 Var-Length is not listed in SchemeInfo.xml!");
    EXPECT_TRUE(blocks.empty());
    EXPECT_EQ(alignment, -99);
}

TEST_F(Catalogue, EntryWithoutBlocksGivesAnEmptyListAndNoText)
{
    UseLaxSchema();
    module.Write("SchemeInfo.xml", CatalogueXml(Entry("ECC8 Fixed-Length", "8", "3", {})));
    EXPECT_EQ(ReadBlocks("ECC8 Fixed-Length"), "");
    EXPECT_TRUE(blocks.empty());
    EXPECT_EQ(alignment, 8);
    EXPECT_TRUE(retention);
}

class RetentionFlag : public Catalogue,
                      public ::testing::WithParamInterface<std::pair<const char*, bool>>
{ };

TEST_P(RetentionFlag, NonZeroSetsIt)
{
    module.Write("SchemeInfo.xml",
        CatalogueXml(Entry("ECC8 Fixed-Length", "8", GetParam().first, {"x4000"})));
    retention = !GetParam().second;
    EXPECT_EQ(ReadBlocks("ECC8 Fixed-Length"), "");
    EXPECT_EQ(retention, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Values, RetentionFlag,
    ::testing::Values(std::pair {"0", false}, std::pair {"1", true}, std::pair {"-1", true},
        std::pair {"7", true}));

TEST_F(Catalogue, CommentAmongSchemesIsNoScheme)
{
    module.Write("SchemeInfo.xml",
        CatalogueXml(Entry("A", "8", "0", {"x4000"}) + "<!-- more to come --><?later?>"
            + Entry("B", "8", "0", {"x4000"})));
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    EXPECT_EQ(error, "");
    EXPECT_THAT(names, ElementsAre("A", "B"));
}

TEST_F(Catalogue, ChildWithoutAttributesAmongSchemesIsAComponentFailure)
{
    // Reading stops there, and the names before it stay in the list.
    UseLaxSchema();
    module.Write("SchemeInfo.xml",
        CatalogueXml(
            Entry("A", "8", "0", {"x4000"}) + "<Other/>" + Entry("B", "8", "0", {"x4000"})));
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    EXPECT_EQ(error, "");
    EXPECT_THAT(names, ElementsAre("A"));
}

struct OddEntry
{
    const char* Name;
    std::string Scheme;
    std::string Error;
    int32_t Alignment; // -99: not written
    std::vector<std::string> Blocks;
};

class OddCatalogueEntry : public Catalogue, public ::testing::WithParamInterface<OddEntry>
{ };

TEST_P(OddCatalogueEntry, IsHandled)
{
    UseLaxSchema();
    module.Write("SchemeInfo.xml", CatalogueXml(GetParam().Scheme));
    EXPECT_EQ(ReadBlocks("S"), GetParam().Error);
    EXPECT_EQ(alignment, GetParam().Alignment);
    EXPECT_EQ(SizeTexts(blocks), GetParam().Blocks);
}

INSTANTIATE_TEST_SUITE_P(Entries, OddCatalogueEntry,
    ::testing::Values(OddEntry {"NoChildren", "<Scheme Name=\"S\"/>", "", -99, {}},
        OddEntry {"OnlyAlignment", "<Scheme Name=\"S\"><A>16</A></Scheme>", "", 16, {}},
        OddEntry {"EmptyBlockEntry", "<Scheme Name=\"S\"><A>8</A><R>0</R><B>x4000</B><B/></Scheme>",
            "", 8, {"x4000"}},
        OddEntry {"SevenBlocks", Entry("S", "8", "0", {"1", "2", "3", "4", "5", "6", "7"}),
            "Scheme S lists more than 6 block sizes in SchemeInfo.xml!", 8, {}},
        OddEntry {"ZeroAlignment", Entry("S", "0", "1", {"x4000"}),
            "Scheme S has an invalid record alignment in SchemeInfo.xml!", -99, {}},
        OddEntry {"AlignmentWithTrailingText", Entry("S", " 32 bytes", "0", {"x4000"}), "", 32,
            {"x4000"}},
        OddEntry {"BlockEntryFirstChildOnly",
            "<Scheme Name=\"S\"><A>8</A><R>0</R><B><C>x8000</C><C>x9000</C></B></Scheme>", "", 8,
            {"x8000"}},
        OddEntry {"CommentAsBlockEntry", "<Scheme Name=\"S\"><A>8</A><R>0</R><!--x4000--></Scheme>",
            "", 8, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct SchemaBreach
{
    const char* Name;
    std::string Scheme;
};

class DeliveredCatalogueSchema : public Catalogue,
                                 public ::testing::WithParamInterface<SchemaBreach>
{ };

TEST_P(DeliveredCatalogueSchema, RefusesEntryOutsideTheLimits)
{
    module.Write("SchemeInfo.xml", CatalogueXml(GetParam().Scheme));
    EXPECT_THAT(ReadBlocks("S"), StartsWith("Validation failed on SchemeInfo.xml\n"));
    EXPECT_TRUE(blocks.empty());
    EXPECT_EQ(alignment, -99);
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    EXPECT_THAT(error, StartsWith("Validation failed on SchemeInfo.xml\n"));
    EXPECT_TRUE(names.empty());
}

INSTANTIATE_TEST_SUITE_P(Breaches, DeliveredCatalogueSchema,
    ::testing::Values(
        SchemaBreach {"SevenBlocks",
            Entry("S", "8", "0", {"x1000", "x2000", "x3000", "x4000", "x5000", "x6000", "x7000"})},
        SchemaBreach {"NoBlocks", Entry("S", "8", "0", {})},
        SchemaBreach {"ZeroAlignment", Entry("S", "0", "0", {"x4000"})},
        SchemaBreach {"BlockSizeNotHex", Entry("S", "8", "0", {"x40G0"})},
        SchemaBreach {"NoName",
            "<Scheme><RecordAlignment>8</RecordAlignment>"
            "<DataRetention>0</DataRetention><BlockSize>x4000</BlockSize></Scheme>"},
        SchemaBreach {
            "DuplicateName", Entry("S", "8", "0", {"x4000"}) + Entry("S", "16", "0", {"x4000"})}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Catalogue, EveryCallReadsTheFileAfresh)
{
    module.Write("SchemeInfo.xml", CatalogueXml(Entry("S", "8", "0", {"x4000"})));
    EXPECT_EQ(ReadBlocks("S"), "");
    EXPECT_EQ(alignment, 8);
    module.Write("SchemeInfo.xml", CatalogueXml(Entry("S", "32", "1", {"x8000", "x10000"})));
    EXPECT_EQ(ReadBlocks("S"), "");
    EXPECT_EQ(alignment, 32);
    EXPECT_THAT(SizeTexts(blocks), ElementsAre("x8000", "x10000"));
}

TEST_F(Catalogue, AnEditedSchemaTakesEffectAtTheNextCall)
{
    module.Write("SchemeInfo.xml", CatalogueXml(Entry("S", "8", "0", {"x4000"})));
    EXPECT_EQ(ReadBlocks("S"), "");
    module.Write("SchemeInfo.xsd", test::LaxSchema("Other"));
    EXPECT_THAT(ReadBlocks("S"), StartsWith("Validation failed on SchemeInfo.xml"));
    UseLaxSchema();
    EXPECT_EQ(ReadBlocks("S"), "");
    EXPECT_THAT(SizeTexts(blocks), ElementsAre("x4000"));
}

TEST_F(Catalogue, ARemovedCatalogueIsMissingAtTheNextCall)
{
    module.Write("SchemeInfo.xml", CatalogueXml(Entry("S", "8", "0", {"x4000"})));
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    ASSERT_EQ(error, "");
    module.Remove("SchemeInfo.xml");
    names.clear();
    files.ReadSchemeList(error, names);
    EXPECT_NE(error, "");
    EXPECT_TRUE(names.empty());
}

TEST_F(Catalogue, ASessionReadBetweenTwoCallsLeavesTheCatalogueAsItWas)
{
    module.Write("SchemeInfo.xml",
        CatalogueXml(Entry("S", "8", "0", {"x4000"}) + Entry("T", "16", "1", {"x8000", "xC000"})));
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    ASSERT_THAT(names, ElementsAre("S", "T"));
    module.Write("s.xml", test::SessionXml(test::ValidSessionBody()));
    SessionRecord record;
    ASSERT_TRUE(files.ReadSession(record, "s.xml", error)) << error;
    EXPECT_EQ(ReadBlocks("T"), "");
    EXPECT_EQ(alignment, 16);
    EXPECT_THAT(SizeTexts(blocks), ElementsAre("x8000", "xC000"));
}

TEST_F(Catalogue, AsDataSourceOfTheForm)
{
    module.Write("SchemeInfo.xml", CatalogueXml(Entry("S", "8", "0", {"x4000"})));
    FileDataSource source(files);
    IDataSource& data = source;
    std::vector<std::string> names;
    data.ReadSchemeList(error, names);
    EXPECT_THAT(names, ElementsAre("S"));
    EXPECT_EQ(data.ReadBlockInfo("s", error, blocks, alignment, retention), "");
    EXPECT_THAT(SizeTexts(blocks), ElementsAre("x4000"));
}

} // namespace
} // namespace eee
