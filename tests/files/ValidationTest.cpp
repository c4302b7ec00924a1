// Opening a data file: structural parse, root and schema checks, validating
// parse, and the texts that failures turn into.
#include "TestSupport.h"

#include "files/FileAccess.h"
#include "files/XmlErrors.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <thread>
#include <unistd.h>

namespace eee {
namespace {

using test::CatalogueXml;
using test::kXsi;
using test::SessionXml;
using test::TempModule;
using test::ValidSessionBody;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kValidCatalogue = CatalogueXml("  <Scheme Name=\"ECC8 Fixed-Length\">\n"
                                                 "    <RecordAlignment>8</RecordAlignment>\n"
                                                 "    <DataRetention>0</DataRetention>\n"
                                                 "    <BlockSize>x4000</BlockSize>\n"
                                                 "  </Scheme>\n");

// One failure row: a catalogue text (or none) and what opening it must yield.
struct OpenCase
{
    const char* Name;
    std::string Catalogue; // empty: no SchemeInfo.xml at all
    bool RemoveSchema;
    std::string ExpectedText;
    // A node that is missing: a failure without a description, which empties the text.
    bool MissingNode = false;
};

class OpenCatalogueFailure : public ::testing::TestWithParam<OpenCase>
{ };

TEST_P(OpenCatalogueFailure, FailsWithItsText)
{
    const OpenCase& c = GetParam();
    TempModule module;
    if (!c.Catalogue.empty())
        module.Write("SchemeInfo.xml", c.Catalogue);
    if (c.RemoveSchema)
        module.Remove("SchemeInfo.xsd");
    FileAccess files(module.Path());

    std::string error = "left over";
    EXPECT_FALSE(files.OpenAndValidate("SchemeInfo.xml", "Products", "SchemeInfo.xsd", error));
    // The wrong-root and wrong-namespace rows leave the text as it was.
    EXPECT_EQ(error,
        c.MissingNode || !c.ExpectedText.empty() ? c.ExpectedText : std::string("left over"));

    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    EXPECT_EQ(error, c.ExpectedText);
    EXPECT_TRUE(names.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, OpenCatalogueFailure,
    ::testing::Values(OpenCase {"FileMissing", "", false,
                          "Cannot open SchemeInfo.xml: No such file or directory"},
        OpenCase {"WrongRootName",
            "<?xml version=\"1.0\"?><Catalogue xmlns:xsi=\"" + std::string(kXsi)
                + "\" xsi:noNamespaceSchemaLocation=\"SchemeInfo.xsd\"/>",
            false, ""},
        OpenCase {"FirstAttributeNotXsi",
            "<?xml version=\"1.0\"?><Products xmlns:xsi=\"urn:other\" "
            "xsi:noNamespaceSchemaLocation=\"SchemeInfo.xsd\"/>",
            false, ""},
        OpenCase {"AttributesInOppositeOrder",
            "<?xml version=\"1.0\"?><Products xsi:noNamespaceSchemaLocation=\"SchemeInfo.xsd\" "
            "xmlns:xsi=\""
                + std::string(kXsi) + "\"/>",
            false, ""},
        OpenCase {"WrongSchemaName",
            "<?xml version=\"1.0\"?><Products xmlns:xsi=\"" + std::string(kXsi)
                + "\" xsi:noNamespaceSchemaLocation=\"Other.xsd\"/>",
            false, "Attribute of Root Node has invalid Schema filename!"},
        OpenCase {"SchemaMissing", kValidCatalogue, true,
            "Schema File SchemeInfo.xsd does not exist for validating SchemeInfo.xml"},
        OpenCase {"RootWithOneAttribute",
            "<?xml version=\"1.0\"?><Products xmlns:xsi=\"" + std::string(kXsi) + "\"/>", false, "",
            true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(OpenAndValidate, NotWellFormedGivesTheParserReasonWithItsLine)
{
    TempModule module;
    module.Write("SchemeInfo.xml", "<?xml version=\"1.0\"?>\n<Products>\n<Scheme>\n</Products>\n");
    FileAccess files(module.Path());
    std::string error;
    EXPECT_FALSE(files.ParseFile("SchemeInfo.xml", error));
    EXPECT_THAT(error, StartsWith("Line 4: "));
    EXPECT_THAT(error, HasSubstr("Scheme"));
}

TEST(OpenAndValidate, InvalidFileGivesReasonAndSourceLine)
{
    TempModule module;
    module.Write("SchemeInfo.xml",
        CatalogueXml("  <Scheme Name=\"ECC8 Fixed-Length\">\n"
                     "    <RecordAlignment>eight</RecordAlignment>\n"
                     "    <DataRetention>0</DataRetention>\n"
                     "    <BlockSize>x4000</BlockSize>\n"
                     "  </Scheme>\n"));
    FileAccess files(module.Path());
    std::string error;
    ASSERT_FALSE(files.OpenAndValidate("SchemeInfo.xml", "Products", "SchemeInfo.xsd", error));

    const std::regex layout("Validation failed on SchemeInfo\\.xml\n=====================\nReason: "
                            "(.+)\nSource: (.*)\n");
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(error, parts, layout)) << error;
    EXPECT_THAT(parts[1].str(), HasSubstr("RecordAlignment"));
    EXPECT_EQ(parts[2].str(), "    <RecordAlignment>eight</RecordAlignment>");
}

TEST(OpenAndValidate, RootNameAndSchemaNameAreMatchedWithoutRegardToCase)
{
    TempModule module;
    module.Write("s.xml",
        std::string("<?xml version=\"1.0\"?>\n<SESSIONDATA xmlns:xsi=\"") + kXsi
            + "\" xsi:noNamespaceSchemaLocation=\"SESSIONDATA.XSD\"/>\n");
    FileAccess files(module.Path());
    std::string error;
    // Both checks pass; the file then fails validation, as the schema's root
    // element is "SessionData".
    EXPECT_FALSE(files.OpenAndValidate("s.xml", "SessionData", "SessionData.xsd", error));
    EXPECT_THAT(error, StartsWith("Validation failed on s.xml\n"));

    module.Write("s.xml",
        std::string("<?xml version=\"1.0\"?>\n<SessionData xmlns:xsi=\"") + kXsi
            + "\" xsi:noNamespaceSchemaLocation=\"SESSIONDATA.XSD\">" + ValidSessionBody()
            + "</SessionData>\n");
    EXPECT_TRUE(files.OpenAndValidate("s.xml", "SessionData", "SessionData.xsd", error)) << error;
    EXPECT_TRUE(files.ValidateAgainstSchema("s.xml", error)) << error;
}

TEST(ValidateAgainstSchema, MissingFileHasItsOwnText)
{
    TempModule module;
    FileAccess files(module.Path());
    std::string error;
    EXPECT_FALSE(files.ValidateAgainstSchema("Gone.xml", error));
    EXPECT_EQ(error, "File Gone.xml not found!");
}

TEST(ValidateAgainstSchema, SchemaAlwaysComesFromTheModuleFolder)
{
    // A file naming a schema in another folder is still checked against the
    // module folder's schema of that name, here the strict delivered one.
    TempModule module;
    TempModule elsewhere;
    elsewhere.Write("SessionData.xsd", test::LaxSchema("SessionData"));
    module.Write("s.xml",
        std::string("<?xml version=\"1.0\"?>\n<SessionData xmlns:xsi=\"") + kXsi
            + "\" xsi:noNamespaceSchemaLocation=\"" + elsewhere.File("SessionData.xsd")
            + "\"><Unknown/></SessionData>\n");
    FileAccess files(module.Path());
    std::string error;
    EXPECT_FALSE(files.ValidateAgainstSchema("s.xml", error));
    EXPECT_THAT(error, StartsWith("Validation failed on s.xml\n=====================\nReason: "));
    EXPECT_THAT(error, HasSubstr("Unknown"));
}

TEST(ValidateAgainstSchema, BrokenSchemaIsReportedAsValidationFailure)
{
    TempModule module;
    module.Write("SessionData.xsd",
        "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">"
        "<xs:element name=\"SessionData\" type=\"NoSuchType\"/>"
        "</xs:schema>");
    module.Write("s.xml", SessionXml(ValidSessionBody()));
    FileAccess files(module.Path());
    std::string error;
    EXPECT_FALSE(files.OpenAndValidate("s.xml", "SessionData", "SessionData.xsd", error));
    EXPECT_THAT(error,
        StartsWith("Validation failed on s.xml\n=====================\nReason: Schema "
                   "SessionData.xsd is not usable: "));
}

TEST(OpenAndValidate, UsesTheBytesItValidated)
{
    // While another program keeps swapping a valid and an invalid version of
    // the file, every read that succeeds must have used the valid one.
    TempModule module;
    const std::string validScheme = "ECC8 Var-Length";
    const std::string invalidScheme(65, 'B'); // longer than the schema allows
    const std::string body = ValidSessionBody();
    std::string invalid = body;
    invalid.replace(body.find(validScheme), validScheme.size(), invalidScheme);
    module.Write("valid.xml", SessionXml(body));
    module.Write("invalid.xml", SessionXml(invalid));

    std::atomic<bool> stop = false;
    std::thread writer([&] {
        const std::string target = module.File("s.xml");
        for (int i = 0; !stop; ++i) {
            const std::string next = module.File(i % 2 == 0 ? "next-a" : "next-b");
            std::filesystem::copy_file(module.File(i % 2 == 0 ? "valid.xml" : "invalid.xml"), next,
                std::filesystem::copy_options::overwrite_existing);
            std::rename(next.c_str(), target.c_str());
        }
    });
    FileAccess files(module.Path());
    int loaded = 0;
    for (int i = 0; i < 1000; ++i) {
        SessionRecord record;
        std::string error;
        if (files.ReadSession(record, "s.xml", error)) {
            ++loaded;
            EXPECT_EQ(record.Scheme, validScheme);
        }
    }
    stop = true;
    writer.join();
    RecordProperty("Loaded", loaded);
}

TEST(ModuleFolder, IsTheFolderOfTheRunningProgram)
{
    const std::string folder = ExecutableFolder();
    EXPECT_EQ(
        std::filesystem::path(folder), std::filesystem::canonical("/proc/self/exe").parent_path());
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(FileAccess().ModuleFolder(), folder);
    EXPECT_EQ(FileAccess(folder + "///").ModuleFolder(), folder);
}

TEST(ModuleFolder, DataFilesAreFoundWhateverTheWorkingFolder)
{
    // The build puts the delivered data files beside the test program.
    const auto previous = std::filesystem::current_path();
    TempModule empty;
    std::filesystem::current_path(empty.Path());
    FileAccess files;
    std::string error;
    std::vector<std::string> names;
    files.ReadSchemeList(error, names);
    std::filesystem::current_path(previous);
    EXPECT_EQ(error, "");
    EXPECT_EQ(names.size(), 6u);
}

struct CodeText
{
    const char* Name;
    uint32_t Code;
    std::string Text;
};

class ComponentErrorTextCase : public ::testing::TestWithParam<CodeText>
{ };

TEST_P(ComponentErrorTextCase, Text)
{
    EXPECT_EQ(FileAccess::ComponentErrorText(GetParam().Code), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Codes, ComponentErrorTextCase,
    ::testing::Values(CodeText {"IDispatchFive", 0x80040205u, "IDispatch error #5"},
        CodeText {"IDispatchFirst", 0x80040201u, "IDispatch error #1"},
        CodeText {"IDispatchLast", 0x8004FFFFu, "IDispatch error #65023"},
        CodeText {"BelowIDispatchRange", 0x80040200u, "Unknown error 0x80040200"},
        CodeText {"UnknownCode", 0x12ABCDEFu, "Unknown error 0x12ABCDEF"},
        CodeText {"UnknownSystemNumber", XmlCodeFromErrno(0xFFFF), "Unknown error 0x8007FFFF"},
        CodeText {"NotFound", kXmlFileNotFound, "The system cannot locate the object specified."},
        CodeText {"NodeNotFound", kXmlNodeNotFound, "Node not found."},
        CodeText {"DiskFull", XmlCodeFromErrno(ENOSPC), "No space left on device"},
        CodeText {"NotADirectory", XmlCodeFromErrno(ENOTDIR), "Not a directory"}),
    [](const auto& info) { return std::string(info.param.Name); });

class SystemErrorTextCase : public ::testing::TestWithParam<CodeText>
{ };

TEST_P(SystemErrorTextCase, Text)
{
    EXPECT_EQ(FileAccess::SystemErrorText(GetParam().Code), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Codes, SystemErrorTextCase,
    ::testing::Values(CodeText {"Unknown", 0x0000ABCDu, "Unknown error code 0000abcd (43981)"},
        CodeText {"UnknownHighBits", 0xFFFF0001u, "Unknown error code ffff0001 (1)"},
        CodeText {"NoSuchFile", ENOENT, "No such file or directory"},
        CodeText {"AccessDenied", EACCES, "Permission denied"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace eee
