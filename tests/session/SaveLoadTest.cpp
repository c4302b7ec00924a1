// File > Save Session and File > Load Session through the window's menus:
// what a save writes, and that loading it gives back every input.
#include "SessionTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace eee::test {
namespace {

struct Row
{
    QString Size, Updates, Records;
    bool Daily = false;
    QString Overhead;
};

struct RoundTripCase
{
    const char* Name;
    QString Scheme;
    QString LifeTime; // as typed
    std::vector<QString> Blocks;
    std::vector<Row> Rows;
    bool Customize = false;
    QString BlockOverhead;
    std::string LifeTimeInFile;
};

// Puts a case into the form as a user does, control by control.
void Enter(MainWindow& window, const RoundTripCase& c)
{
    const auto& ui = window.Ui();
    ASSERT_TRUE(Choose(ui.Scheme, c.Scheme));
    Type(ui.LifeTime, c.LifeTime);
    ASSERT_TRUE(Choose(ui.BlockCount, QString::number(c.Blocks.size())));
    for (size_t k = 0; k < c.Blocks.size(); ++k)
        ASSERT_TRUE(Choose(ui.BlockSize[k], c.Blocks[k]));
    ASSERT_TRUE(Choose(ui.DataTypes, QString::number(c.Rows.size())));
    for (size_t r = 0; r < c.Rows.size(); ++r) {
        // In a fixed-length scheme the other rows follow the first one's size.
        if (ui.DataSize[r]->isEnabled())
            Type(ui.DataSize[r], c.Rows[r].Size);
        Type(ui.Updates[r], c.Rows[r].Updates);
        Type(ui.Records[r], c.Rows[r].Records);
        (c.Rows[r].Daily ? ui.Daily[r] : ui.Total[r])->click();
    }
    // The overheads are typed in either case: with the box off they are hidden
    // and must not reach the file.
    if (!ui.CustomizeOverhead->isChecked())
        ui.CustomizeOverhead->click();
    Type(ui.BlockOverhead, c.BlockOverhead);
    for (size_t r = 0; r < c.Rows.size(); ++r)
        Type(ui.Overhead[r], c.Rows[r].Overhead);
    if (!c.Customize)
        ui.CustomizeOverhead->click();
    // Typing calculates nothing: only the events the typing queued are left to handle.
    QCoreApplication::processEvents();
}

// The parts of a written session file that the reader depends on.
struct WrittenSession
{
    QString Version;
    std::vector<QString> Comments;
    std::vector<std::string> TopLevel; // element names under the root, in order
    std::map<std::string, std::string> Values;
    std::vector<std::string> Blocks;
    std::vector<std::vector<std::string>> Rows; // "Name=value" per DataInfo child
    QString Root;
    QString RootNamespace;
    QString Error;
};

WrittenSession ParseWritten(const QByteArray& bytes)
{
    WrittenSession w;
    QXmlStreamReader xml(bytes);
    int depth = 0;
    QString parent;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartDocument:
            w.Version = xml.documentVersion().toString();
            break;
        case QXmlStreamReader::Comment:
            if (depth == 0)
                w.Comments.push_back(xml.text().toString());
            break;
        case QXmlStreamReader::StartElement: {
            ++depth;
            const std::string name = xml.name().toString().toStdString();
            if (depth == 1) {
                w.Root = xml.name().toString();
                w.RootNamespace = xml.namespaceUri().toString();
            } else if (depth == 2) {
                w.TopLevel.push_back(name);
                parent = xml.name().toString();
                if (parent == "DataInfo")
                    w.Rows.emplace_back();
                else if (parent != "BlocksSelected")
                    w.Values[name] = xml.readElementText().toStdString(), --depth;
            } else if (depth == 3 && parent == "BlocksSelected") {
                w.Blocks.push_back(xml.readElementText().toStdString());
                --depth;
            } else if (depth == 3 && parent == "DataInfo") {
                w.Rows.back().push_back(name + "=" + xml.readElementText().toStdString());
                --depth;
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        w.Error = xml.errorString();
    return w;
}

void PrintTo(const RoundTripCase& c, std::ostream* os)
{
    *os << c.Name;
}

class SaveLoadRoundTrip : public SessionWindowTest,
                          public ::testing::WithParamInterface<RoundTripCase>
{ };

TEST_P(SaveLoadRoundTrip, WritesTheFormAndLoadingGivesEveryInputBack)
{
    const RoundTripCase& c = GetParam();
    OpenWindow();
    Enter(Window(), c);
    ASSERT_EQ(TakeMessages(), std::vector<Msg> {});
    const Texts entered = InputTexts(Window());
    ASSERT_EQ(entered.at("Scheme"), c.Scheme.toStdString());

    const QString path = UserFile("RoundTrip.xml");
    const int before = Calculations();
    Save(path);
    EXPECT_EQ(TakeMessages(),
        (std::vector<Msg> {{"File RoundTrip.xml saved succesfully!", MsgIcon::Information}}));
    EXPECT_GT(Calculations(), before) << "Save Session calculates before it asks for the file";
    const Texts calculated = OutputTexts(Window());

    // The file: declaration, comment, root with its two attributes in order,
    // then the inputs in the order the reader expects.
    const QByteArray bytes = ReadBytes(path);
    const WrittenSession w = ParseWritten(bytes);
    ASSERT_TRUE(w.Error.isEmpty()) << w.Error.toStdString() << "\n" << bytes.toStdString();
    EXPECT_EQ(w.Version, "1.0");
    EXPECT_EQ(w.Comments, std::vector<QString> {"Current Session Data"});
    EXPECT_EQ(w.Root, "SessionData");
    EXPECT_TRUE(w.RootNamespace.isEmpty());
    EXPECT_TRUE(QString::fromUtf8(bytes).contains(QRegularExpression(
        R"(<SessionData\s+xmlns:xsi\s*=\s*["']http://www\.w3\.org/2001/XMLSchema-instance["'])"
        R"(\s+xsi:noNamespaceSchemaLocation\s*=\s*["']SessionData\.xsd["']\s*>)")))
        << bytes.toStdString();
    EXPECT_FALSE(QString::fromUtf8(bytes).contains(QRegularExpression(R"(<Scheme>[\s\S]*>\s+<)")))
        << "no indentation inside the root element\n"
        << bytes.toStdString();
    std::vector<std::string> order {
        "Scheme", "LifeTime", "BlocksSelected", "CusOverheadEn", "BlockOverhead"};
    order.insert(order.end(), c.Rows.size(), "DataInfo");
    EXPECT_EQ(w.TopLevel, order);
    EXPECT_EQ(w.Values,
        (std::map<std::string, std::string> {
            {"Scheme", c.Scheme.toStdString()},
            {"LifeTime", c.LifeTimeInFile},
            {"CusOverheadEn", c.Customize ? "-1" : "0"},
            {"BlockOverhead", c.Customize ? c.BlockOverhead.toStdString() : "0"},
        }));
    std::vector<std::string> blocks;
    for (const QString& b : c.Blocks)
        blocks.push_back(b.toStdString());
    EXPECT_EQ(w.Blocks, blocks);
    std::vector<std::vector<std::string>> rows;
    for (const Row& r : c.Rows) {
        rows.push_back({"DataSize=" + r.Size.toStdString(), "Updates=" + r.Updates.toStdString(),
            "Records=" + r.Records.toStdString(), std::string("Frequency=") + (r.Daily ? "1" : "0"),
            "CusOverhead=" + (c.Customize ? r.Overhead.toStdString() : std::string("0"))});
    }
    EXPECT_EQ(w.Rows, rows);

    // Back to the defaults, then the saved session again.
    RestoreDefault();
    ASSERT_EQ(TakeMessages(), std::vector<Msg> {});
    ASSERT_NE(InputTexts(Window()), entered);
    Load(path);
    EXPECT_EQ(TakeMessages(),
        (std::vector<Msg> {
            {"File " + path.toStdString() + " loaded successfully!", MsgIcon::Information}}));
    EXPECT_TRUE(SameTexts(InputTexts(Window()), entered));
    EXPECT_TRUE(SameTexts(OutputTexts(Window()), calculated));
    EXPECT_FALSE(Ui().Submit->isEnabled()) << "the load calculated";
}

const RoundTripCase kRoundTrips[] = {
    {"VarLengthFiveBlocksCustomOverhead", "ECC8 Var-Length", "12.5",
        {"x8000", "x4000", "x10000", "x4000", "x8000"},
        {{"100", "5000", "2", false, "6"}, {"200", "60", "3", true, "7"},
            {"300", "70000", "4", false, "8"}, {"400", "8", "5", true, "9"}},
        true, "64", "12.5"},
    {"FixedLengthThreeBlocksOverheadOff", "ECC32 Fixed-Length", "99", {"x20000", "x8000", "x10000"},
        {{"64", "123456", "3", true, "11"}, {"64", "7", "9", false, "12"}}, false, "50", "99"},
    {"SixBlocksSixTypesLifetimeOne", "ECC32 Var-Length", "1",
        {"x10000", "x20000", "x10000", "x20000", "x20000", "x10000"},
        {{"1", "1", "1", false, "0"}, {"4096", "100000000", "1", true, "65536"},
            {"33", "4", "2", false, "1"}, {"250", "99", "7", true, "2"},
            {"1000", "12", "3", false, "3"}, {"8", "77777", "11", true, "4"}},
        true, "32", "1"},
};

INSTANTIATE_TEST_SUITE_P(Cases, SaveLoadRoundTrip, ::testing::ValuesIn(kRoundTrips),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) {
        return std::string(info.param.Name);
    });

using SaveSessionTest = SessionWindowTest;

TEST_F(SaveSessionTest, InvalidFormShowsNoDialogAndWritesNothing)
{
    OpenWindow();
    Type(Ui().LifeTime, "0");
    TakeMessages();
    const FolderSnapshot before = Snapshot(UserPath());
    Save(UserFile("SessionData.xml"));
    EXPECT_TRUE(dialogs.SaveFolders.empty()) << "no file dialog for a form that does not read";
    const std::vector<Msg> shown = TakeMessages();
    ASSERT_FALSE(shown.empty());
    for (const Msg& m : shown)
        EXPECT_EQ(m.Icon, MsgIcon::Warning) << m.Text;
    EXPECT_EQ(Snapshot(UserPath()), before);
}

TEST_F(SaveSessionTest, BlocksTooSmallShowsNoDialogAndWritesNothing)
{
    OpenWindow();
    Type(Ui().DataSize[0], "4096");
    Type(Ui().Records[0], "30000");
    TakeMessages();
    Save(UserFile("SessionData.xml"));
    EXPECT_TRUE(dialogs.SaveFolders.empty());
    const std::vector<Msg> shown = TakeMessages();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().Icon, MsgIcon::Warning);
    EXPECT_FALSE(QFileInfo::exists(UserFile("SessionData.xml")));
}

// Load Session and Restore Default read the form first but go on whatever it says.
struct InvalidFormCase
{
    const char* Name;
    bool Restore;
};

void PrintTo(const InvalidFormCase& c, std::ostream* os)
{
    *os << c.Name;
}

class CommandWithInvalidForm : public SessionWindowTest,
                               public ::testing::WithParamInterface<InvalidFormCase>
{ };

TEST_P(CommandWithInvalidForm, GoesOnAfterTheFormsMessages)
{
    SessionText session;
    session.Scheme = "ECC32 Var-Length";
    session.LifeTime = "15";
    session.Blocks = {"x20000", "x20000", "x10000"};
    session.Rows = {{"40", "123", "4", "1", "0"}};
    const QString path = UserFile("Valid.xml");
    WriteBytes(path, session.Xml());
    WriteBytes(ModuleFile("Defaults.xml"), session.Xml());
    OpenWindow();
    Type(Ui().LifeTime, "0");
    ASSERT_EQ(TakeMessages(),
        (std::vector<Msg> {{"Please enter a number between 1 and 99.", MsgIcon::Warning}}));

    const bool restore = GetParam().Restore;
    if (restore)
        RestoreDefault();
    else
        Load(path);
    std::vector<Msg> shown = TakeMessages();
    if (!restore) {
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back(),
            (Msg {"File " + path.toStdString() + " loaded successfully!", MsgIcon::Information}));
        shown.pop_back();
    }
    ASSERT_FALSE(shown.empty()) << "the form read reports the lifetime";
    for (const Msg& m : shown)
        EXPECT_EQ(m, (Msg {"Please enter a number between 1 and 99.", MsgIcon::Warning}));
    const Texts t = InputTexts(Window());
    EXPECT_EQ(t.at("Scheme"), "ECC32 Var-Length");
    EXPECT_EQ(t.at("LifeTime (Years)"), "15");
    EXPECT_EQ(t.at("Block Size 3"), "x10000");
    EXPECT_EQ(t.at("Total Data Types"), "1");
    // A load ends with its calculation; Restore Default enables Submit at its end.
    EXPECT_EQ(Ui().Submit->isEnabled(), restore);
}

const InvalidFormCase kInvalidForms[] = {{"LoadSession", false}, {"RestoreDefault", true}};

INSTANTIATE_TEST_SUITE_P(Cases, CommandWithInvalidForm, ::testing::ValuesIn(kInvalidForms),
    [](const ::testing::TestParamInfo<InvalidFormCase>& info) {
        return std::string(info.param.Name);
    });

// A save that cannot be written: the message names the file and the reason,
// and whatever stood at the target stays as it was.
struct Target
{
    QString Path; // empty: the system does not let the test prepare it
    QString Watched; // the folder that must not change
};

struct SaveFailureCase
{
    const char* Name;
    std::function<Target(const QDir& user, std::unique_ptr<ScratchMount>& mount)> Prepare;
};

void PrintTo(const SaveFailureCase& c, std::ostream* os)
{
    *os << c.Name;
}

class SaveFailure : public SessionWindowTest, public ::testing::WithParamInterface<SaveFailureCase>
{ };

const QByteArray kEarlierSession = "<earlier session, must stay/>\n";

TEST_P(SaveFailure, ShowsTheReasonAndLeavesTheTargetUnchanged)
{
    OpenWindow();
    std::unique_ptr<ScratchMount> mount;
    const Target target = GetParam().Prepare(QDir(UserPath()), mount);
    if (target.Path.isEmpty())
        GTEST_SKIP() << "this system does not let the test prepare the target";
    const QByteArray nativePath = QFile::encodeName(target.Path);
    const FolderSnapshot before = Snapshot(target.Watched);
    struct stat node
    { };
    const bool existed = ::lstat(nativePath.constData(), &node) == 0;

    Save(target.Path);
    const std::vector<Msg> shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u) << ::testing::PrintToString(shown);
    const std::string head = "File " + QFileInfo(target.Path).fileName().toStdString()
        + " could not be saved!\nError saving session XML file ";
    EXPECT_EQ(shown[0].Icon, MsgIcon::Error);
    EXPECT_EQ(shown[0].Text.substr(0, head.size()), head) << shown[0].Text;
    EXPECT_GT(shown[0].Text.size(), head.size() + 1) << "a reason is given";
    EXPECT_EQ(shown[0].Text.back(), '.') << shown[0].Text;

    EXPECT_EQ(Snapshot(target.Watched), before);
    if (existed) {
        struct stat after
        { };
        ASSERT_EQ(::lstat(nativePath.constData(), &after), 0);
        EXPECT_EQ(after.st_mode & S_IFMT, node.st_mode & S_IFMT) << "the target keeps its kind";
        EXPECT_EQ(after.st_ino, node.st_ino) << "the target is not replaced";
    }
}

const SaveFailureCase kSaveFailures[] = {
    {"FolderDoesNotExist",
        [](const QDir& user, std::unique_ptr<ScratchMount>&) {
            return Target {user.filePath("no-such-folder/SessionData.xml"), user.path()};
        }},
    {"ReadOnlyFolderWithAnEarlierSession",
        [](const QDir&, std::unique_ptr<ScratchMount>& mount) {
            mount = std::make_unique<ScratchMount>();
            if (!mount->Mounted())
                return Target {};
            WriteBytes(mount->File("SessionData.xml"), kEarlierSession);
            if (!mount->MakeReadOnly())
                return Target {};
            return Target {mount->File("SessionData.xml"), mount->Path()};
        }},
    {"FullDiskWithAnEarlierSession",
        [](const QDir&, std::unique_ptr<ScratchMount>& mount) {
            mount = std::make_unique<ScratchMount>("size=64k,mode=0755");
            if (!mount->Mounted())
                return Target {};
            WriteBytes(mount->File("SessionData.xml"), kEarlierSession);
            if (!mount->Fill())
                return Target {};
            return Target {mount->File("SessionData.xml"), mount->Path()};
        }},
    {"FullDevice",
        // A node of the full device (as /dev/full) in a folder of the test's own.
        [](const QDir& user, std::unique_ptr<ScratchMount>&) {
            const QString node = user.filePath("full");
            if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
                return Target {};
            return Target {node, user.path()};
        }},
};

INSTANTIATE_TEST_SUITE_P(Cases, SaveFailure, ::testing::ValuesIn(kSaveFailures),
    [](const ::testing::TestParamInfo<SaveFailureCase>& info) {
        return std::string(info.param.Name);
    });

} // namespace
} // namespace eee::test
