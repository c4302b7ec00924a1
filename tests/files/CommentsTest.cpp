// Comments and processing instructions carry no data: a catalogue or session
// with one anywhere reads exactly as the same file without it.
#include "TestSupport.h"

#include "files/FileAccess.h"

#include <gtest/gtest.h>

#include <ostream>

namespace eee {
namespace {

using test::TempModule;

// Where markup may go into a document: after every tag, comment or
// declaration, and in the middle of every text, which it splits in two.
std::vector<std::size_t> InsertionPoints(const std::string& xml)
{
    std::vector<std::size_t> points;
    const std::size_t start = xml.find("?>") + 2; // nothing may precede the declaration
    for (std::size_t i = start; i < xml.size(); ++i) {
        if (xml[i - 1] == '>')
            points.push_back(i);
        if (xml[i - 1] == '>' && xml[i] != '<' && xml[i] != '\n') {
            const std::size_t end = xml.find('<', i);
            points.push_back(i + (end - i) / 2);
        }
    }
    return points;
}

struct Scheme
{
    std::string Error;
    int32_t Alignment = 0;
    bool Retention = false;
    std::vector<std::string> Sizes;

    bool operator==(const Scheme&) const = default;
};

struct Catalogue
{
    std::string Error;
    std::vector<std::string> Names;
    std::vector<Scheme> Schemes;

    bool operator==(const Catalogue&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Catalogue& c)
    {
        out << "error '" << c.Error << "', " << c.Names.size() << " names:";
        for (std::size_t i = 0; i < c.Schemes.size(); ++i) {
            out << " [" << c.Names[i] << ": '" << c.Schemes[i].Error << "' "
                << c.Schemes[i].Alignment << " " << c.Schemes[i].Retention;
            for (const auto& size : c.Schemes[i].Sizes)
                out << " " << size;
            out << "]";
        }
        return out;
    }
};

Catalogue ReadCatalogue(FileAccess& files)
{
    Catalogue c;
    files.ReadSchemeList(c.Error, c.Names);
    for (const std::string& name : c.Names) {
        Scheme s;
        std::vector<BlockInfo> blocks;
        files.ReadBlockInfo(name, s.Error, blocks, s.Alignment, s.Retention);
        for (const BlockInfo& block : blocks)
            s.Sizes.push_back(std::to_string(block.Index) + ":" + block.SizeText);
        c.Schemes.push_back(s);
    }
    return c;
}

class WithoutData : public ::testing::TestWithParam<const char*>
{ };

TEST_P(WithoutData, CatalogueReadsAsWithout)
{
    TempModule module;
    FileAccess files(module.Path());
    const std::string original = test::ReadAll(test::DeliveredFile("SchemeInfo.xml"));
    module.Write("SchemeInfo.xml", original);
    const Catalogue expected = ReadCatalogue(files);
    ASSERT_EQ(expected.Names.size(), 6u) << expected;

    for (std::size_t point : InsertionPoints(original)) {
        std::string edited = original;
        edited.insert(point, GetParam());
        SCOPED_TRACE(edited.substr(point > 40 ? point - 40 : 0, 80));
        module.Write("SchemeInfo.xml", edited);
        EXPECT_EQ(ReadCatalogue(files), expected);
    }
}

TEST_P(WithoutData, SessionReadsAsWithout)
{
    TempModule module;
    FileAccess files(module.Path());
    const std::string original = test::ReadAll(test::DeliveredFile("Defaults.xml"));
    module.Write("s.xml", original);
    SessionRecord expected;
    std::string error;
    ASSERT_TRUE(files.ReadSession(expected, "s.xml", error)) << error;

    for (std::size_t point : InsertionPoints(original)) {
        std::string edited = original;
        edited.insert(point, GetParam());
        SCOPED_TRACE(edited.substr(point > 40 ? point - 40 : 0, 80));
        module.Write("s.xml", edited);
        SessionRecord read;
        EXPECT_TRUE(files.ReadSession(read, "s.xml", error)) << error;
        EXPECT_EQ(read, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Markup, WithoutData,
    ::testing::Values("<!-- 4 -->", "<?note 3?>", "<?x?><!---->"),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

} // namespace
} // namespace eee
