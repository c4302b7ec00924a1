// Where the session dialogs open, what a load from another folder does to the
// module folder (nothing), and cancelled dialogs.
#include "SessionTestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace eee::test {
namespace {

// A valid session unlike the delivered defaults and the window's start.
SessionText ChosenSession()
{
    SessionText s;
    s.Scheme = "ECC32 Var-Length";
    s.LifeTime = "7";
    s.Blocks = {"x20000", "x10000", "x20000"};
    s.Rows = {{"48", "900", "4", "1", "0"}, {"24", "30", "2", "0", "0"}};
    return s;
}

struct ForeignLoadCase
{
    const char* Name;
    QString FileName;
    // The module folder's own file of that name, when it has one.
    QByteArray ModuleFile;
};

void PrintTo(const ForeignLoadCase& c, std::ostream* os)
{
    *os << c.Name;
}

class LoadFromAnotherFolder : public SessionWindowTest,
                              public ::testing::WithParamInterface<ForeignLoadCase>
{ };

TEST_P(LoadFromAnotherFolder, ReadsTheChosenFileAndLeavesTheModuleFolderUnchanged)
{
    const ForeignLoadCase& c = GetParam();
    if (!c.ModuleFile.isEmpty())
        WriteBytes(ModuleFile(c.FileName), c.ModuleFile);
    const QString chosen = UserFile(c.FileName);
    WriteBytes(chosen, ChosenSession().Xml());
    OpenWindow();
    const FolderSnapshot module = Snapshot(ModulePath());
    const FolderSnapshot user = Snapshot(UserPath());

    Load(chosen);
    EXPECT_TRUE(MessagesMatch(
        TakeMessages(), {{MsgIcon::Information, "File {path} loaded successfully!"}}, chosen));
    const Texts shown = InputTexts(Window());
    EXPECT_EQ(shown.at("Scheme"), "ECC32 Var-Length")
        << "the chosen file was read, not the module folder's";
    EXPECT_EQ(shown.at("LifeTime (Years)"), "7");
    EXPECT_EQ(shown.at("Block Size 3"), "x20000");
    EXPECT_EQ(shown.at("DataType1 frequency"), "Daily");
    EXPECT_EQ(Snapshot(ModulePath()), module);
    EXPECT_EQ(Snapshot(UserPath()), user);

    // The program's own files still work afterwards.
    RestoreDefault();
    EXPECT_EQ(TakeMessages(), std::vector<Msg> {});
    EXPECT_EQ(InputTexts(Window()).at("Scheme"), "ECC16 Var-Length");
}

const ForeignLoadCase kForeignLoads[] = {
    {"NameNotInTheModuleFolder", "Other.xml", {}},
    {"SameNameAsAnEarlierSession", "SessionData.xml", SessionText().Xml()},
    {"SameNameAsTheDefaults", "Defaults.xml", {}},
    {"SameNameAsTheCatalogue", "SchemeInfo.xml", {}},
    {"SameNameAsTheSchema", "SessionData.xsd", {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, LoadFromAnotherFolder, ::testing::ValuesIn(kForeignLoads),
    [](const ::testing::TestParamInfo<ForeignLoadCase>& info) {
        return std::string(info.param.Name);
    });

using SessionFoldersTest = SessionWindowTest;

TEST_F(SessionFoldersTest, LoadFromTheModuleFolderKeepsTheFile)
{
    WriteBytes(ModuleFile("Mine.xml"), ChosenSession().Xml());
    OpenWindow();
    const FolderSnapshot module = Snapshot(ModulePath());
    Load(ModuleFile("Mine.xml"));
    EXPECT_TRUE(MessagesMatch(TakeMessages(),
        {{MsgIcon::Information, "File {path} loaded successfully!"}}, ModuleFile("Mine.xml")));
    EXPECT_EQ(InputTexts(Window()).at("Scheme"), "ECC32 Var-Length");
    EXPECT_EQ(Snapshot(ModulePath()), module);
}

TEST_F(SessionFoldersTest, DialogsOpenInTheModuleFolder)
{
    OpenWindow();
    Load("");
    Save("");
    EXPECT_EQ(dialogs.OpenFolders, std::vector<QString> {ModulePath()});
    EXPECT_EQ(dialogs.SaveFolders, std::vector<QString> {ModulePath()});
}

// Points the home folder somewhere the test can recognise, for its own lifetime.
class HomeFolder
{
public:
    explicit HomeFolder(const QString& path)
        : m_old(qgetenv("HOME"))
    {
        qputenv("HOME", QFile::encodeName(path));
    }
    ~HomeFolder() { qputenv("HOME", m_old); }
    HomeFolder(const HomeFolder&) = delete;
    HomeFolder& operator=(const HomeFolder&) = delete;

private:
    QByteArray m_old;
};

TEST_F(SessionFoldersTest, DialogsOpenInTheHomeFolderWhenTheModuleFolderIsReadOnly)
{
    ScratchMount installed;
    if (!installed.Mounted())
        GTEST_SKIP() << "this system does not let the test mount a folder";
    for (const char* name : {"SchemeInfo.xml", "SchemeInfo.xsd", "SessionData.xsd", "Defaults.xml"})
        ASSERT_TRUE(QFile::copy(DeliveredFile(name), installed.File(name)));
    ASSERT_TRUE(installed.MakeReadOnly());
    const HomeFolder home(UserPath());

    OpenWindow(installed.Path());
    Load("");
    Save("");
    EXPECT_EQ(TakeMessages(), std::vector<Msg> {});
    EXPECT_EQ(dialogs.OpenFolders, std::vector<QString> {UserPath()});
    EXPECT_EQ(dialogs.SaveFolders, std::vector<QString> {UserPath()});
}

TEST_F(SessionFoldersTest, OpenDialogInTheHomeFolderWhenTheModuleFolderRefusesWriting)
{
    // A folder that even the superuser cannot write into; it holds no data files,
    // so the window starts without its catalogue.
    const QString folder = "/proc/sys";
    if (!QDir(folder).exists())
        GTEST_SKIP() << folder.toStdString() << " does not exist here";
    const HomeFolder home(UserPath());
    OpenWindow(folder);
    Load("");
    EXPECT_EQ(dialogs.OpenFolders, std::vector<QString> {UserPath()});
}

// A cancelled dialog reads and writes nothing and shows nothing; Save Session
// has calculated before its dialog.
struct CancelCase
{
    const char* Name;
    bool Save;
    bool Answered; // an empty answer; otherwise the dialog gets no answer at all
};

void PrintTo(const CancelCase& c, std::ostream* os)
{
    *os << c.Name;
}

class CancelledDialog : public SessionWindowTest, public ::testing::WithParamInterface<CancelCase>
{ };

TEST_P(CancelledDialog, ChangesNothingAndShowsNothing)
{
    const CancelCase& c = GetParam();
    WriteBytes(ModuleFile("SessionData.xml"), ChosenSession().Xml());
    WriteBytes(UserFile("SessionData.xml"), ChosenSession().Xml());
    OpenWindow();
    Type(Ui().LifeTime, "30");
    ASSERT_EQ(TakeMessages(), std::vector<Msg> {});
    ASSERT_TRUE(Ui().Submit->isEnabled());
    const FolderSnapshot module = Snapshot(ModulePath());
    const FolderSnapshot user = Snapshot(UserPath());
    const Texts inputs = InputTexts(Window());
    const Texts all = AllTexts(Window());
    const int before = Calculations();

    const std::optional<QString> answer
        = c.Answered ? std::optional<QString>(QString()) : std::nullopt;
    if (c.Save)
        Save(answer);
    else
        Load(answer);

    EXPECT_EQ(TakeMessages(), std::vector<Msg> {});
    EXPECT_EQ(Snapshot(ModulePath()), module);
    EXPECT_EQ(Snapshot(UserPath()), user);
    EXPECT_EQ((c.Save ? dialogs.SaveFolders : dialogs.OpenFolders).size(), 1u)
        << "the dialog was shown";
    EXPECT_TRUE(SameTexts(InputTexts(Window()), inputs));
    if (c.Save) {
        EXPECT_GT(Calculations(), before);
        EXPECT_FALSE(Ui().Submit->isEnabled());
    } else {
        EXPECT_EQ(Calculations(), before);
        EXPECT_TRUE(SameTexts(AllTexts(Window()), all));
    }
}

const CancelCase kCancels[] = {
    {"SaveCancelled", true, true},
    {"SaveUnanswered", true, false},
    {"LoadCancelled", false, true},
    {"LoadUnanswered", false, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, CancelledDialog, ::testing::ValuesIn(kCancels),
    [](const ::testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace eee::test
