// Edit > Restore Default: the form of Defaults.xml back after any change, and
// the two messages for a defaults file that cannot be used.
#include "SessionTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace eee::test {
namespace {

// The form of the delivered Defaults.xml.
Texts DeliveredDefaults()
{
    Texts t {
        {"Scheme", "ECC16 Var-Length"},
        {"LifeTime (Years)", "20"},
        {"No. of Blocks", "2"},
        {"Block Size 1", "x8000"},
        {"Block Size 2", "x8000"},
        {"Total Data Types", "6"},
        {"Customize Overhead", "off"},
    };
    const char* sizes[] = {"512", "256", "128", "64", "32", "16"};
    const char* updates[] = {"10", "20", "30", "40", "50", "100"};
    for (int row = 0; row < 6; ++row) {
        const std::string name = "DataType" + std::to_string(row + 1) + " ";
        t[name + "size"] = sizes[row];
        t[name + "updates"] = updates[row];
        t[name + "records"] = "8";
        t[name + "frequency"] = "Total";
    }
    return t;
}

// Every input away from the defaults, as a user does it.
void ChangeEveryField(MainWindow& window)
{
    const auto& ui = window.Ui();
    ASSERT_TRUE(Choose(ui.Scheme, "ECC8 Var-Length"));
    Type(ui.LifeTime, "45");
    ASSERT_TRUE(Choose(ui.BlockCount, "3"));
    ASSERT_TRUE(Choose(ui.BlockSize[0], "x10000"));
    ASSERT_TRUE(Choose(ui.BlockSize[1], "x4000"));
    ASSERT_TRUE(Choose(ui.BlockSize[2], "x10000"));
    ASSERT_TRUE(Choose(ui.DataTypes, "4"));
    for (size_t row = 0; row < 4; ++row) {
        Type(ui.DataSize[row], QString::number(40 + row));
        Type(ui.Updates[row], QString::number(7 + row));
        Type(ui.Records[row], "3");
        ui.Daily[row]->click();
    }
    ui.CustomizeOverhead->click();
    Type(ui.BlockOverhead, "12");
    for (size_t row = 0; row < 4; ++row)
        Type(ui.Overhead[row], "5");
    // Typing calculates nothing: only the events the typing queued are left to handle.
    QCoreApplication::processEvents();
}

using RestoreDefaultTest = SessionWindowTest;

TEST_F(RestoreDefaultTest, AfterEveryFieldChangedPutsBackTheDefaultsAndCalculates)
{
    OpenWindow();
    ChangeEveryField(Window());
    ASSERT_EQ(TakeMessages(), std::vector<Msg> {});
    const Texts changed = InputTexts(Window());
    const Texts defaults = DeliveredDefaults();
    for (const auto& [control, value] : defaults) {
        const auto found = changed.find(control);
        ASSERT_TRUE(found == changed.end() || found->second != value)
            << control << " was not changed";
    }

    const int before = Calculations();
    RestoreDefault();
    EXPECT_EQ(TakeMessages(), std::vector<Msg> {});
    EXPECT_TRUE(SameTexts(InputTexts(Window()), defaults));
    EXPECT_GT(Calculations(), before) << "the defaults fit their blocks, so they are calculated";
    EXPECT_TRUE(Ui().Submit->isEnabled());
    const Texts restored = OutputTexts(Window());

    // The same file loaded as a session shows the same results.
    Type(Ui().Updates[0], "11");
    Load(ModuleFile("Defaults.xml"));
    EXPECT_TRUE(MessagesMatch(TakeMessages(),
        {{MsgIcon::Information, "File {path} loaded successfully!"}}, ModuleFile("Defaults.xml")));
    EXPECT_TRUE(SameTexts(OutputTexts(Window()), restored));
}

TEST_F(RestoreDefaultTest, EnablesSubmitAfterACalculation)
{
    OpenWindow();
    Ui().Submit->click();
    Settle();
    ASSERT_FALSE(Ui().Submit->isEnabled());
    RestoreDefault();
    EXPECT_EQ(TakeMessages(), std::vector<Msg> {});
    EXPECT_TRUE(Ui().Submit->isEnabled());
}

TEST_F(RestoreDefaultTest, DefaultsThatDoNotFitTheirBlocksAreShownWithoutResults)
{
    SessionText defaults;
    defaults.Rows = {{"4096", "10", "30000", "0", "0"}};
    WriteBytes(ModuleFile("Defaults.xml"), defaults.Xml());
    OpenWindow();
    Ui().Submit->click();
    Settle();
    TakeMessages();
    const Texts results = OutputTexts(Window());
    const int before = Calculations();

    RestoreDefault();
    const std::vector<Msg> shown = TakeMessages();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().Icon, MsgIcon::Warning) << "the block check reports";
    EXPECT_EQ(Calculations(), before);
    EXPECT_EQ(InputTexts(Window()).at("DataType1 records"), "30000");
    EXPECT_EQ(
        OutputTexts(Window()).at("Estimated Flash Cycles"), results.at("Estimated Flash Cycles"));
    EXPECT_TRUE(Ui().Submit->isEnabled());
}

struct RestoreFailureCase
{
    const char* Name;
    std::function<void(const QString& defaultsPath)> Break;
    std::vector<Expected> Messages;
};

void PrintTo(const RestoreFailureCase& c, std::ostream* os)
{
    *os << c.Name;
}

class RestoreFailure : public SessionWindowTest,
                       public ::testing::WithParamInterface<RestoreFailureCase>
{ };

TEST_P(RestoreFailure, ShowsItsMessageKeepsTheFormAndEnablesSubmit)
{
    OpenWindow();
    Type(Ui().LifeTime, "30");
    Type(Ui().Updates[2], "333");
    Ui().Submit->click();
    Settle();
    ASSERT_EQ(TakeMessages(), std::vector<Msg> {});
    ASSERT_FALSE(Ui().Submit->isEnabled());
    Texts expected = AllTexts(Window());
    expected["Submit"] = "enabled";

    GetParam().Break(ModuleFile("Defaults.xml"));
    RestoreDefault();
    EXPECT_TRUE(MessagesMatch(TakeMessages(), GetParam().Messages));
    EXPECT_TRUE(SameTexts(AllTexts(Window()), expected));
}

void WriteDefaults(const QString& path, const std::function<void(SessionText&)>& edit)
{
    SessionText s;
    edit(s);
    WriteBytes(path, s.Xml());
}

const std::string kNotLoaded = "Defaults File Defaults.xml could not be loaded!\n";
const std::string kNotRestored = "Default values could not be restored!\n";

const RestoreFailureCase kRestoreFailures[] = {
    {"NotWellFormed",
        [](const QString& path) {
            WriteBytes(path, "<SessionData><Scheme>ECC8 Var-Length</Scheme>");
        },
        {{MsgIcon::Error, kNotLoaded + "{reason}"}}},
    {"Missing", [](const QString& path) { QFile::remove(path); },
        {{MsgIcon::Error, kNotLoaded + "{reason}"}}},
    {"BreaksTheSchema",
        [](const QString& path) { WriteDefaults(path, [](SessionText& s) { s.Rows.clear(); }); },
        {{MsgIcon::Error,
            kNotLoaded
                + "Validation failed on Defaults.xml\n=====================\nReason: "
                  "{reason}\nSource: {reason}\n"}}},
    {"WrongSchemaName",
        [](const QString& path) {
            WriteDefaults(path, [](SessionText& s) { s.SchemaLocation = "Defaults.xsd"; });
        },
        {{MsgIcon::Error, kNotLoaded + "Attribute of Root Node has invalid Schema filename!"}}},
    {"SchemaMissing",
        [](const QString& path) {
            QFile::remove(QString(path).replace("Defaults.xml", "SessionData.xsd"));
        },
        {{MsgIcon::Error,
            kNotLoaded
                + "Schema File SessionData.xsd does not exist for validating Defaults.xml"}}},
    {"LifeTimeTooLong",
        [](const QString& path) {
            WriteDefaults(path, [](SessionText& s) { s.LifeTime = "150"; });
        },
        {{MsgIcon::Error,
            kNotRestored
                + "Invalid Life time. Please select a value between 0.1 and 99, both inclusive"}}},
    {"LifeTimeTooShort",
        [](const QString& path) {
            WriteDefaults(path, [](SessionText& s) { s.LifeTime = "0.05"; });
        },
        {{MsgIcon::Error,
            kNotRestored
                + "Invalid Life time. Please select a value between 0.1 and 99, both inclusive"}}},
    {"OneBlock",
        [](const QString& path) {
            WriteDefaults(path, [](SessionText& s) { s.Blocks = {"x8000"}; });
        },
        {{MsgIcon::Error,
            kNotRestored
                + "Invalid number of blocks. Please select a value between 2 and 6, both "
                  "inclusive"}}},
    {"UnknownScheme",
        [](const QString& path) {
            WriteDefaults(path, [](SessionText& s) { s.Scheme = "ECC12 Var-Length"; });
        },
        {{MsgIcon::Error, "Unable to select Scheme 'ECC12 Var-Length'."},
            {MsgIcon::Error, kNotRestored}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, RestoreFailure, ::testing::ValuesIn(kRestoreFailures),
    [](const ::testing::TestParamInfo<RestoreFailureCase>& info) {
        return std::string(info.param.Name);
    });

} // namespace
} // namespace eee::test
