// Hostile or broken files: each fails with a reason, without reaching the
// network or other files, and without crashing or hanging.
#include "TestSupport.h"

#include "files/FileAccess.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace eee {
namespace {

using test::TempModule;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kSecret = "TOP-SECRET-MARKER-4711";

std::string Root(const std::string& rootName, const std::string& schema, const std::string& body)
{
    return "<" + rootName + " xmlns:xsi=\"" + test::kXsi + "\" xsi:noNamespaceSchemaLocation=\""
        + schema + "\">" + body + "</" + rootName + ">\n";
}

struct Hostile
{
    const char* Name;
    // Builds the file text; secretPath names a file whose content must never
    // show up anywhere.
    std::string (*Make)(
        const std::string& root, const std::string& schema, const std::string& secretPath);
    const char* Reason; // part of the error text
};

std::string EntityBomb(const std::string& root, const std::string& schema, const std::string&)
{
    std::string dtd = "<!DOCTYPE " + root + " [<!ENTITY a0 \"lol\">";
    for (int i = 1; i < 12; ++i) {
        dtd += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k)
            dtd += "&a" + std::to_string(i - 1) + ";";
        dtd += "\">";
    }
    return "<?xml version=\"1.0\"?>\n" + dtd + "]>\n"
        + Root(root, schema, "<Scheme>&a11;</Scheme>");
}

std::string ExternalFileEntity(
    const std::string& root, const std::string& schema, const std::string& secret)
{
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE " + root + " [<!ENTITY x SYSTEM \"file://" + secret
        + "\">]>\n" + Root(root, schema, "<Scheme>&x;</Scheme>");
}

std::string ExternalPathEntity(
    const std::string& root, const std::string& schema, const std::string& secret)
{
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE " + root + " [<!ENTITY x SYSTEM \"" + secret
        + "\">]>\n" + Root(root, schema, "<Scheme>&x;</Scheme>");
}

std::string ParameterEntity(
    const std::string& root, const std::string& schema, const std::string& secret)
{
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE " + root + " [<!ENTITY % p SYSTEM \"file://" + secret
        + "\"> %p;]>\n" + Root(root, schema, "");
}

std::string ExternalDtd(const std::string& root, const std::string& schema, const std::string&)
{
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE " + root
        + " SYSTEM \"http://127.0.0.1:9/none.dtd\">\n" + Root(root, schema, "");
}

std::string UndeclaredEntity(const std::string& root, const std::string& schema, const std::string&)
{
    return Root(root, schema, "<Scheme>&nbsp;</Scheme>");
}

std::string XInclude(const std::string& root, const std::string& schema, const std::string& secret)
{
    return Root(root, schema,
        "<xi:include xmlns:xi=\"http://www.w3.org/2001/XInclude\" parse=\"text\" href=\"" + secret
            + "\"/>");
}

std::string InvalidUtf8(const std::string& root, const std::string& schema, const std::string&)
{
    return Root(root, schema, "<Scheme>\xC3\x28\xFF\xFE</Scheme>");
}

std::string Binary(const std::string&, const std::string&, const std::string&)
{
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7919) & 0xFF);
    return bytes;
}

std::string Huge(const std::string& root, const std::string& schema, const std::string&)
{
    return Root(root, schema, "<!--" + std::string(2u << 20, 'x') + "-->");
}

std::string DeepNesting(const std::string& root, const std::string& schema, const std::string&)
{
    std::string open;
    std::string close;
    for (int i = 0; i < 5000; ++i) {
        open += "<d>";
        close += "</d>";
    }
    return Root(root, schema, open + close);
}

std::string ManyAttributes(const std::string& root, const std::string& schema, const std::string&)
{
    std::string attrs;
    for (int i = 0; i < 20000; ++i)
        attrs += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    return "<" + root + " xmlns:xsi=\"" + test::kXsi + "\" xsi:noNamespaceSchemaLocation=\""
        + schema + "\"" + attrs + "/>";
}

std::string Utf7(const std::string& root, const std::string& schema, const std::string&)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-7\"?>\n"
        + Root(root, schema, "<Scheme>+AD0-</Scheme>");
}

// The encoding pushed out of sight behind padding in the declaration.
std::string PaddedUtf7(const std::string& root, const std::string& schema, const std::string&)
{
    return "<?xml version=\"1.0\"" + std::string(300, ' ') + "encoding=\"UTF-7\"?>\n"
        + Root(root, schema, "<Scheme>+AD0-</Scheme>");
}

// A declaration that never ends within the part of the file that is looked at.
std::string EndlessDeclaration(
    const std::string& root, const std::string& schema, const std::string&)
{
    return "<?xml version=\"1.0\"" + std::string(2000, ' ') + "?>\n"
        + Root(root, schema, "<Scheme/>");
}

std::string Ucs4(const std::string& root, const std::string& schema, const std::string&)
{
    std::string bytes;
    for (char c : Root(root, schema, ""))
        bytes += std::string("\0\0\0", 3) + c;
    return bytes;
}

std::string Empty(const std::string&, const std::string&, const std::string&)
{
    return " \n";
}

std::string Utf16(const std::string& root, const std::string& schema, const std::string&)
{
    const std::string text = Root(root, schema, "<Scheme>x</Scheme>");
    std::string bytes = "\xFF\xFE";
    for (char c : text) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

class HostileFile : public ::testing::TestWithParam<Hostile>
{ };

TEST_P(HostileFile, FailsWithAReasonAndLeaksNothing)
{
    TempModule module;
    TempModule secrets;
    secrets.Write("secret.txt", kSecret);
    const std::string secretPath = secrets.File("secret.txt");

    module.Write("s.xml", GetParam().Make("SessionData", "SessionData.xsd", secretPath));
    module.Write("SchemeInfo.xml", GetParam().Make("Products", "SchemeInfo.xsd", secretPath));
    FileAccess files(module.Path());

    SessionRecord record;
    std::string error;
    EXPECT_FALSE(files.ReadSession(record, "s.xml", error));
    EXPECT_THAT(error, HasSubstr(GetParam().Reason));
    EXPECT_THAT(error, Not(HasSubstr(kSecret)));
    EXPECT_THAT(record.Scheme, Not(HasSubstr(kSecret)));

    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    EXPECT_THAT(error, HasSubstr(GetParam().Reason));
    EXPECT_THAT(error, Not(HasSubstr(kSecret)));
    for (const auto& name : names)
        EXPECT_THAT(name, Not(HasSubstr(kSecret)));
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFile,
    ::testing::Values(Hostile {"EntityBomb", EntityBomb, "DOCTYPE"},
        Hostile {"ExternalFileUrlEntity", ExternalFileEntity, "DOCTYPE"},
        Hostile {"ExternalPathEntity", ExternalPathEntity, "DOCTYPE"},
        Hostile {"ParameterEntity", ParameterEntity, "DOCTYPE"},
        Hostile {"ExternalDtd", ExternalDtd, "DOCTYPE"},
        Hostile {"UndeclaredEntity", UndeclaredEntity, "Entity 'nbsp' not defined"},
        Hostile {"XIncludeIsNotFollowed", XInclude, "Validation failed on "},
        Hostile {"InvalidUtf8", InvalidUtf8, "not proper UTF-8"},
        Hostile {"Binary", Binary, "Line 1: "},
        Hostile {"LargerThanTheCap", Huge, "is larger than 1048576 bytes."},
        Hostile {"DeepNesting", DeepNesting, "Excessive depth"},
        Hostile {"ManyAttributes", ManyAttributes, "more than 4096 '=' signs"},
        Hostile {"Utf7", Utf7, "The character encoding 'UTF-7' is not supported."},
        Hostile {
            "Utf7BehindPadding", PaddedUtf7, "The character encoding 'UTF-7' is not supported."},
        Hostile {"EndlessDeclaration", EndlessDeclaration, "The XML declaration is not closed"},
        Hostile {"Ucs4", Ucs4, "The character encoding of the document is not supported."},
        Hostile {"Empty", Empty, "Start tag expected"},
        Hostile {"Utf16WithoutValidContent", Utf16, "Validation failed on "}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SafeParse, FifoIsRefusedWithoutBlocking)
{
    TempModule module;
    ASSERT_EQ(mkfifo(module.File("SchemeInfo.xml").c_str(), 0600), 0);
    FileAccess files(module.Path());
    std::string error;
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    EXPECT_EQ(error, "SchemeInfo.xml is not a regular file.");
}

TEST(SafeParse, FolderIsRefused)
{
    TempModule module;
    ASSERT_EQ(mkdir(module.File("s.xml").c_str(), 0700), 0);
    FileAccess files(module.Path());
    SessionRecord record;
    std::string error;
    EXPECT_FALSE(files.ReadSession(record, "s.xml", error));
    EXPECT_EQ(error, "s.xml is not a regular file.");
}

TEST(SafeParse, Utf16FileWithValidContentLoads)
{
    // Encodings are honoured; only their content decides.
    TempModule module;
    const std::string text = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
        + Root("SessionData", "SessionData.xsd", test::ValidSessionBody());
    std::string bytes = "\xFF\xFE";
    for (char c : text) {
        bytes += c;
        bytes += '\0';
    }
    module.Write("s.xml", bytes);
    FileAccess files(module.Path());
    SessionRecord record;
    std::string error;
    EXPECT_TRUE(files.ReadSession(record, "s.xml", error)) << error;
    EXPECT_EQ(record.Scheme, "ECC8 Var-Length");
}

TEST(SafeParse, SourceLineOfBinaryContentIsShowable)
{
    TempModule module;
    module.Write("s.xml", Root("SessionData", "SessionData.xsd", "<Scheme>\x01\x02</Scheme>"));
    FileAccess files(module.Path());
    std::string error;
    EXPECT_FALSE(files.ValidateAgainstSchema("s.xml", error));
    EXPECT_THAT(error, HasSubstr("\nSource: <SessionData"));
    EXPECT_THAT(error,
        HasSubstr("<Scheme>?"
                  "?</Scheme>"));
}

} // namespace
} // namespace eee
