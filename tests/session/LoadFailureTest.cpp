// File > Load Session with files that the window must refuse, or accept only in
// part: the messages it shows, word for word, and a form left as it was.
#include "SessionTestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include <functional>

namespace eee::test {
namespace {

const std::string kLoadFailed = "File {path} loading failed!\n";
const std::string kLoaded = "File {path} loaded successfully!";
const std::string kLifeTimeRefused = "File {path} loading failed!\nInvalid Life time. Please "
                                     "select a value between 0.1 and 99, both inclusive";
const std::string kBlocksRefused = "File {path} loading failed!\nInvalid number of blocks. Please "
                                   "select a value between 2 and 6, both inclusive";
const std::string kValidationFailed = "File {path} loading failed!\nValidation failed on {name}\n"
                                      "=====================\nReason: {reason}\nSource: {reason}\n";

struct LoadCase
{
    explicit LoadCase(const char* name)
        : Name(name)
    { }
    LoadCase Editing(std::function<void(SessionText&)> edit) &&
    {
        Edit = std::move(edit);
        return std::move(*this);
    }
    LoadCase Content(QByteArray raw) &&
    {
        Raw = std::move(raw);
        return std::move(*this);
    }
    LoadCase WithoutSchema() &&
    {
        RemoveSchema = true;
        return std::move(*this);
    }
    LoadCase Shows(std::vector<Expected> messages) &&
    {
        Messages = std::move(messages);
        return std::move(*this);
    }
    LoadCase SourceLine(std::string part) &&
    {
        SourceContains = std::move(part);
        return std::move(*this);
    }
    // A refused load that leaves the form as it was, except for these controls.
    LoadCase Except(Texts changes) &&
    {
        Changes = std::move(changes);
        return std::move(*this);
    }
    // A load that applies the file, then checks what the form shows.
    LoadCase Applies(std::function<void(const Texts&)> check = {}) &&
    {
        FormUnchanged = false;
        Check = std::move(check);
        return std::move(*this);
    }

    const char* Name;
    std::function<void(SessionText&)> Edit; // changes to a valid session
    QByteArray Raw; // when set, the file's content as it is
    bool RemoveSchema = false;
    std::vector<Expected> Messages;
    bool FormUnchanged = true;
    Texts Changes;
    std::string SourceContains; // for schema failures: the offending line
    std::function<void(const Texts&)> Check; // what the form shows afterwards
};

// A valid session that differs from the window's start in every input.
SessionText BaseSession()
{
    SessionText s;
    s.Scheme = "ECC8 Fixed-Length";
    s.LifeTime = "35";
    s.Blocks = {"x10000", "x4000", "x8000"};
    s.Rows = {{"16", "1000", "5", "1", "0"}, {"16", "2000", "6", "0", "0"}};
    return s;
}

void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << c.Name;
}

class LoadFailure : public SessionWindowTest, public ::testing::WithParamInterface<LoadCase>
{ };

TEST_P(LoadFailure, ShowsItsMessages)
{
    const LoadCase& c = GetParam();
    const QString name = "case.xml";
    const QString path = UserFile(name);
    SessionText session = BaseSession();
    if (c.Edit)
        c.Edit(session);
    WriteBytes(path, c.Raw.isEmpty() ? session.Xml() : c.Raw);
    OpenWindow();
    if (c.RemoveSchema) {
        ASSERT_TRUE(QFile::remove(ModuleFile("SessionData.xsd")));
    }
    Texts expected = AllTexts(Window());
    for (const auto& [control, text] : c.Changes)
        expected[control] = text;

    Load(path);
    const std::vector<Msg> shown = TakeMessages();
    EXPECT_TRUE(MessagesMatch(shown, c.Messages, path, name));
    if (!c.SourceContains.empty() && !shown.empty()) {
        const std::string& text = shown.back().Text;
        const size_t source = text.find("\nSource: ");
        ASSERT_NE(source, std::string::npos) << text;
        EXPECT_NE(text.find(c.SourceContains, source), std::string::npos) << text;
    }
    if (c.FormUnchanged) {
        EXPECT_TRUE(SameTexts(AllTexts(Window()), expected));
    }
    if (c.Check)
        c.Check(InputTexts(Window()));
}

const LoadCase kLoadCases[] = {
    LoadCase("NotWellFormed")
        .Content("<?xml version=\"1.0\"?>\n<SessionData><Scheme>ECC8 Fixed-Length</SessionData>\n")
        .Shows({{MsgIcon::Error, kLoadFailed + "{reason}"}}),
    LoadCase("EmptyFile").Content("\n").Shows({{MsgIcon::Error, kLoadFailed + "{reason}"}}),
    LoadCase("BreaksTheSchema")
        .Editing([](SessionText& s) { s.Rows[1][3] = "2"; })
        .Shows({{MsgIcon::Error, kValidationFailed}})
        .SourceLine("<Frequency>2</Frequency>"),
    LoadCase("SevenBlocksBreakTheSchema")
        .Editing([](SessionText& s) { s.Blocks.assign(7, "x4000"); })
        .Shows({{MsgIcon::Error, kValidationFailed}})
        .SourceLine("BlockSize"),
    LoadCase("WrongRoot")
        .Editing([](SessionText& s) { s.Root = "SessionInfo"; })
        .Shows({{MsgIcon::Error, kLoadFailed}}),
    LoadCase("RootAttributesSwapped")
        .Editing([](SessionText& s) { s.AttributesSwapped = true; })
        .Shows({{MsgIcon::Error, kLoadFailed}}),
    LoadCase("WrongSchemaName")
        .Editing([](SessionText& s) { s.SchemaLocation = "SchemeInfo.xsd"; })
        .Shows({{MsgIcon::Error,
            kLoadFailed + "Attribute of Root Node has invalid Schema filename!"}}),
    LoadCase("SchemaMissingInModuleFolder")
        .WithoutSchema()
        .Shows({{MsgIcon::Error,
            kLoadFailed + "Schema File SessionData.xsd does not exist for validating {name}"}}),
    LoadCase("LifeTimeBelowRange")
        .Editing([](SessionText& s) { s.LifeTime = "0.09"; })
        .Shows({{MsgIcon::Error, kLifeTimeRefused}}),
    LoadCase("LifeTimeZero")
        .Editing([](SessionText& s) { s.LifeTime = "0"; })
        .Shows({{MsgIcon::Error, kLifeTimeRefused}}),
    LoadCase("LifeTimeAboveRange")
        .Editing([](SessionText& s) { s.LifeTime = "99.5"; })
        .Shows({{MsgIcon::Error, kLifeTimeRefused}}),
    LoadCase("LifeTimeNegative")
        .Editing([](SessionText& s) { s.LifeTime = "-20"; })
        .Shows({{MsgIcon::Error, kLifeTimeRefused}}),
    LoadCase("OneBlock")
        .Editing([](SessionText& s) { s.Blocks = {"x4000"}; })
        .Shows({{MsgIcon::Error, kBlocksRefused}}),
    LoadCase("NoBlocks")
        .Editing([](SessionText& s) { s.Blocks.clear(); })
        .Shows({{MsgIcon::Error, kBlocksRefused}}),
    LoadCase("LifeTimeRefusedBeforeBlocks")
        .Editing([](SessionText& s) {
            s.LifeTime = "100";
            s.Blocks = {"x4000"};
        })
        .Shows({{MsgIcon::Error, kLifeTimeRefused}}),
    LoadCase("UnknownScheme")
        .Editing([](SessionText& s) { s.Scheme = "ECC64 Var-Length"; })
        .Shows({{MsgIcon::Error, "Unable to select Scheme 'ECC64 Var-Length'."},
            {MsgIcon::Error, kLoadFailed}}),
    LoadCase("SchemeNameDiffersInCase")
        .Editing([](SessionText& s) { s.Scheme = "ecc8 fixed-length"; })
        .Shows({{MsgIcon::Error, "Unable to select Scheme 'ecc8 fixed-length'."},
            {MsgIcon::Error, kLoadFailed}}),
    // The list's own search finds an entry by the start of its name or in another
    // letter case; the exact comparison refuses the name, and the list goes back too.
    LoadCase("SchemeNameIsOnlyTheStartOfOne")
        .Editing([](SessionText& s) { s.Scheme = "ECC8"; })
        .Shows(
            {{MsgIcon::Error, "Unable to select Scheme 'ECC8'."}, {MsgIcon::Error, kLoadFailed}}),
    LoadCase("UnknownBlockSizeAtIndex")
        .Editing([](SessionText& s) {
            s.Blocks = {"x10000", "x1234", "x8000"};
        })
        .Shows({{MsgIcon::Error, "Unable to select block size 'x1234' at index '1'."},
            {MsgIcon::Information, kLoaded}})
        .Applies([](const Texts& t) {
            EXPECT_EQ(t.at("Scheme"), "ECC8 Fixed-Length");
            EXPECT_EQ(t.at("No. of Blocks"), "3");
            EXPECT_EQ(t.at("Block Size 1"), "x10000");
            // The scheme change selected each list's alphabetically first entry; this one keeps it.
            EXPECT_EQ(t.at("Block Size 2"), "x10000");
            EXPECT_EQ(t.at("Block Size 3"), "x8000");
            EXPECT_EQ(t.at("LifeTime (Years)"), "35");
            EXPECT_EQ(t.at("DataType2 updates"), "2000");
        }),
    LoadCase("TwoUnknownBlockSizes")
        .Editing([](SessionText& s) {
            s.Blocks = {"8000", "x4000", "x4000", "y"};
        })
        .Shows({{MsgIcon::Error, "Unable to select block size '8000' at index '0'."},
            {MsgIcon::Error, "Unable to select block size 'y' at index '3'."},
            {MsgIcon::Information, kLoaded}})
        .Applies(),
    LoadCase("BlockSizeFoundByItsBeginningIgnoringCase")
        .Editing([](SessionText& s) {
            s.Blocks = {"X1", "x2", "X8"};
        })
        .Shows({{MsgIcon::Information, kLoaded}})
        .Applies([](const Texts& t) {
            EXPECT_EQ(t.at("Block Size 1"), "x10000");
            EXPECT_EQ(t.at("Block Size 2"), "x20000");
            EXPECT_EQ(t.at("Block Size 3"), "x8000");
        }),
    LoadCase("LifeTimeHalfAcceptedThenRefusedByTheForm")
        .Editing([](SessionText& s) { s.LifeTime = "0.5"; })
        // From the lifetime field's own change handler as the text is set, from
        // the size computation of the data type change, and from the form read
        // before the calculation; the load then fails and the form is as it was.
        .Shows({{MsgIcon::Warning, "Please enter a number between 1 and 99."},
            {MsgIcon::Warning, "Please enter a number between 1 and 99."},
            {MsgIcon::Warning, "Please enter a number between 1 and 99."},
            {MsgIcon::Error, kLoadFailed + "Please enter a number between 1 and 99."}}),
    LoadCase("LifeTimeUpperBoundAccepted")
        .Editing([](SessionText& s) { s.LifeTime = "99"; })
        .Shows({{MsgIcon::Information, kLoaded}})
        .Applies([](const Texts& t) { EXPECT_EQ(t.at("LifeTime (Years)"), "99"); }),
};

INSTANTIATE_TEST_SUITE_P(Cases, LoadFailure, ::testing::ValuesIn(kLoadCases),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace eee::test
