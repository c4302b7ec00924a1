// Documents in every character encoding the reader accepts: the root's
// attribute order is checked, and the source line of a message is shown as
// text, whatever the encoding.
#include "TestSupport.h"

#include "files/FileAccess.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace eee {
namespace {

using test::kXsi;
using test::TempModule;
using ::testing::EndsWith;
using ::testing::StartsWith;

enum class Layout { Utf8, Utf8Mark, Utf16Le, Utf16LeMark, Utf16BeMark, Latin1, Windows1252 };

struct Encoded
{
    const char* Name;
    Layout Form;
};

// Code points of a UTF-8 text (the tests use well-formed text only).
std::u32string CodePoints(std::string_view utf8)
{
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const std::size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? b : b & (0x3F >> (len - 1));
        for (std::size_t k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += cp;
        i += len;
    }
    return out;
}

// The document, declared and written in the layout's encoding.
std::string Encode(Layout form, const std::string& body)
{
    const auto declaration = [](const char* name) {
        return std::string("<?xml version=\"1.0\" encoding=\"") + name + "\"?>\n";
    };
    std::string bytes;
    switch (form) {
    case Layout::Utf8:
        return declaration("UTF-8") + body;
    case Layout::Utf8Mark:
        return "\xEF\xBB\xBF" + body;
    case Layout::Latin1:
    case Layout::Windows1252:
        bytes = declaration(form == Layout::Latin1 ? "ISO-8859-1" : "windows-1252");
        for (char32_t cp : CodePoints(body))
            bytes += static_cast<char>(cp);
        return bytes;
    case Layout::Utf16Le:
    case Layout::Utf16LeMark:
    case Layout::Utf16BeMark:
        break;
    }
    const bool big = form == Layout::Utf16BeMark;
    if (form != Layout::Utf16Le)
        bytes = big ? "\xFE\xFF" : "\xFF\xFE";
    for (char32_t cp : CodePoints(declaration("UTF-16") + body)) {
        const auto high = static_cast<char>(cp >> 8);
        const auto low = static_cast<char>(cp & 0xFF);
        bytes += big ? high : low;
        bytes += big ? low : high;
    }
    return bytes;
}

std::string Root(const std::string& name, const std::string& schema, const std::string& body,
    bool reversed = false)
{
    const std::string xsi = std::string("xmlns:xsi=\"") + kXsi + "\"";
    const std::string location = "xsi:noNamespaceSchemaLocation=\"" + schema + "\"";
    return "<" + name + " " + (reversed ? location + " " + xsi : xsi + " " + location) + ">\n"
        + body + "</" + name + ">\n";
}

const std::string kCatalogueBody = "<Scheme Name=\"ECC8 Fixed-Length\">\n"
                                   "<RecordAlignment>8</RecordAlignment>\n"
                                   "<DataRetention>1</DataRetention>\n"
                                   "<BlockSize>x4000</BlockSize>\n"
                                   "</Scheme>\n";

class EachEncoding : public ::testing::TestWithParam<Encoded>
{
protected:
    TempModule module;
    FileAccess files {module.Path()};
    std::string error;
};

TEST_P(EachEncoding, RootAttributesInTheRightOrderLoad)
{
    module.Write("s.xml",
        Encode(GetParam().Form, Root("SessionData", "SessionData.xsd", test::ValidSessionBody())));
    SessionRecord record;
    EXPECT_TRUE(files.ReadSession(record, "s.xml", error)) << error;
    EXPECT_EQ(record.Scheme, "ECC8 Var-Length");

    module.Write("SchemeInfo.xml",
        Encode(GetParam().Form, Root("Products", "SchemeInfo.xsd", kCatalogueBody)));
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    EXPECT_EQ(error, "");
    EXPECT_EQ(names, std::vector<std::string> {"ECC8 Fixed-Length"});
}

TEST_P(EachEncoding, ReversedRootAttributesAreRefusedWithoutAReason)
{
    module.Write("s.xml",
        Encode(GetParam().Form,
            Root("SessionData", "SessionData.xsd", test::ValidSessionBody(), true)));
    SessionRecord record;
    error = "stale";
    EXPECT_FALSE(files.ReadSession(record, "s.xml", error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(record, SessionRecord {});

    module.Write("SchemeInfo.xml",
        Encode(GetParam().Form, Root("Products", "SchemeInfo.xsd", kCatalogueBody, true)));
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(names.empty());
}

TEST_P(EachEncoding, SourceLineOfAValidationFailureIsText)
{
    const std::string body = "<Scheme>Caf\u00e9</Scheme>\n"
                             "<LifeTime>dix-sept \u00e9t\u00e9s</LifeTime>\n";
    module.Write("s.xml", Encode(GetParam().Form, Root("SessionData", "SessionData.xsd", body)));
    SessionRecord record;
    EXPECT_FALSE(files.ReadSession(record, "s.xml", error));
    EXPECT_THAT(error, StartsWith("Validation failed on s.xml\n=====================\nReason: "));
    EXPECT_THAT(error, EndsWith("\nSource: <LifeTime>dix-sept \u00e9t\u00e9s</LifeTime>\n"));

    EXPECT_FALSE(files.ValidateAgainstSchema("s.xml", error));
    EXPECT_THAT(error, EndsWith("\nSource: <LifeTime>dix-sept \u00e9t\u00e9s</LifeTime>\n"));
}

INSTANTIATE_TEST_SUITE_P(Files, EachEncoding,
    ::testing::Values(Encoded {"Utf8", Layout::Utf8}, Encoded {"Utf8Mark", Layout::Utf8Mark},
        Encoded {"Utf16LittleEndian", Layout::Utf16Le},
        Encoded {"Utf16LittleEndianMark", Layout::Utf16LeMark},
        Encoded {"Utf16BigEndianMark", Layout::Utf16BeMark}, Encoded {"Latin1", Layout::Latin1},
        Encoded {"Windows1252", Layout::Windows1252}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Encoding, SourceLineOfANotWellFormedUtf16FileIsText)
{
    TempModule module;
    FileAccess files(module.Path());
    module.Write("s.xml",
        Encode(Layout::Utf16LeMark,
            Root("SessionData", "SessionData.xsd", "<Scheme>Caf\u00e9</Schema>\n")));
    std::string error;
    EXPECT_FALSE(files.ValidateAgainstSchema("s.xml", error));
    EXPECT_THAT(error, EndsWith("\nSource: <Scheme>Caf\u00e9</Schema>\n"));
}

} // namespace
} // namespace eee
