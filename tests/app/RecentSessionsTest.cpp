// File > Recent Sessions: the list's order, limit and persistence, its menu with
// missing files greyed out and Clear, and the window's loads and saves filling it.
#include "IsolatedSettings.h"
#include "WindowTestSupport.h"

#include "app/RecentSessions.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace eee::testing_support {
namespace {

QString SessionsDir()
{
    return QStringLiteral(EEE_SESSIONS_DIR);
}

QString Sample(const char* name)
{
    return QDir(SessionsDir()).filePath(name);
}

// The menu as the user sees it when it opens: (path, enabled) per entry, then Clear.
struct MenuEntry
{
    QString Path;
    bool Enabled;
    bool operator==(const MenuEntry&) const = default;
};
void PrintTo(const MenuEntry& e, std::ostream* os)
{
    *os << e.Path.toStdString() << (e.Enabled ? "" : " (greyed)");
}

std::vector<MenuEntry> OpenMenu(RecentSessions& recent)
{
    emit recent.Menu()->aboutToShow();
    std::vector<MenuEntry> entries;
    for (QAction* action : recent.Menu()->actions()) {
        if (!action->data().isNull())
            entries.push_back({action->data().toString(), action->isEnabled()});
    }
    return entries;
}

QAction* MenuAction(RecentSessions& recent, const QString& text)
{
    for (QAction* action : recent.Menu()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

class RecentSessionsTest : public ::testing::Test
{
protected:
    IsolatedSettings settings;
    QWidget parent;
    QTemporaryDir files;

    QString Existing(const QString& name)
    {
        const QString path = files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }
    QStringList Numbered(int from, int to)
    {
        QStringList paths;
        for (int i = from; i <= to; ++i)
            paths << files.filePath(QString("s%1.xml").arg(i));
        return paths;
    }
};

TEST_F(RecentSessionsTest, NewestFirstRepeatsMoveUpAndEightAtMost)
{
    RecentSessions recent(&parent);
    EXPECT_TRUE(recent.Paths().isEmpty());
    for (const QString& path : Numbered(1, 3))
        recent.Add(path);
    EXPECT_EQ(recent.Paths(), Numbered(3, 3) + Numbered(2, 2) + Numbered(1, 1));
    recent.Add(files.filePath("s1.xml"));
    EXPECT_EQ(recent.Paths(), Numbered(1, 1) + Numbered(3, 3) + Numbered(2, 2));

    for (const QString& path : Numbered(4, 10))
        recent.Add(path);
    // s1, used again, outlives s3 and s2.
    QStringList newestFirst;
    for (int i = 10; i >= 4; --i)
        newestFirst << files.filePath(QString("s%1.xml").arg(i));
    EXPECT_EQ(recent.Paths(), newestFirst + Numbered(1, 1));
}

TEST_F(RecentSessionsTest, PathsAreKeptFullAndClean)
{
    RecentSessions recent(&parent);
    recent.Add(files.filePath("sub/../mine.xml"));
    recent.Add("relative.xml");
    EXPECT_EQ(recent.Paths(),
        (QStringList {
            QDir::current().absoluteFilePath("relative.xml"), files.filePath("mine.xml")}));
}

// One file reached by two spellings of its path is listed once, under the newest.
TEST_F(RecentSessionsTest, OneFileUnderTwoSpellingsIsListedOnce)
{
    const QDir root(QFileInfo(files.path()).canonicalFilePath());
    ASSERT_TRUE(root.mkpath("real/sub"));
    const QString real = Existing("real/s.xml");
    Existing("s.xml"); // where "deep/../s.xml" would lead, taken as text
    ASSERT_TRUE(QFile::link(root.filePath("real"), root.filePath("linked")));
    ASSERT_TRUE(QFile::link(root.filePath("real/sub"), root.filePath("deep")));

    RecentSessions recent(&parent);
    recent.Add(root.filePath("real/s.xml"));
    recent.Add(root.filePath("linked/s.xml"));
    EXPECT_EQ(recent.Paths(), QStringList {root.filePath("linked/s.xml")});
    recent.Add(root.filePath("real/sub/../s.xml"));
    EXPECT_EQ(recent.Paths(), QStringList {root.filePath("real/s.xml")});
    // "deep/.." goes up from where the link leads: to real, not to the decoy.
    recent.Add(root.filePath("deep/../s.xml"));
    EXPECT_EQ(recent.Paths(), QStringList {root.filePath("real/s.xml")});
    recent.Add(root.filePath("s.xml"));
    EXPECT_EQ(recent.Paths(), (QStringList {root.filePath("s.xml"), root.filePath("real/s.xml")}));

    // A hand-edited list with two spellings of one file keeps the first.
    QSettings().setValue("RecentSessions", QStringList {root.filePath("linked/s.xml"), real});
    EXPECT_EQ(recent.Paths(), QStringList {root.filePath("linked/s.xml")});
}

TEST_F(RecentSessionsTest, KeptInTheSettingsForTheNextStartAndOtherWindows)
{
    RecentSessions first(&parent);
    first.Add(files.filePath("a.xml"));
    first.Add(files.filePath("b.xml"));

    RecentSessions next(&parent);
    EXPECT_EQ(next.Paths(), (QStringList {files.filePath("b.xml"), files.filePath("a.xml")}));
    next.Add(files.filePath("c.xml"));
    EXPECT_EQ(first.Paths().constFirst(), files.filePath("c.xml"));

    next.Clear();
    EXPECT_TRUE(first.Paths().isEmpty());
    EXPECT_TRUE(RecentSessions(&parent).Paths().isEmpty());
}

TEST_F(RecentSessionsTest, AHandEditedListKeepsFullPathsOnceEachAndEightAtMost)
{
    QStringList stored {"relative.xml", "", files.filePath("a.xml"), files.filePath("a.xml")};
    stored += Numbered(1, 10);
    QSettings().setValue("RecentSessions", stored);
    RecentSessions recent(&parent);
    EXPECT_EQ(recent.Paths(), QStringList {files.filePath("a.xml")} + Numbered(1, 7));
}

TEST_F(RecentSessionsTest, MenuGreysOutMissingFilesAndClears)
{
    RecentSessions recent(&parent);
    EXPECT_EQ(recent.Menu()->title(), "&Recent Sessions");
    const QString older = Existing("older.xml");
    const QString gone = files.filePath("gone.xml");
    const QString newest = Existing("R&D.xml");
    recent.Add(older);
    recent.Add(gone);
    recent.Add(newest);

    EXPECT_EQ(
        OpenMenu(recent), (std::vector<MenuEntry> {{newest, true}, {gone, false}, {older, true}}));
    EXPECT_EQ(recent.Menu()->actions().at(0)->text(),
        "&1 " + QDir::toNativeSeparators(newest).replace("&", "&&"));

    QSignalSpy chosen(&recent, &RecentSessions::Chosen);
    recent.Menu()->actions().at(2)->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), older);

    // A file that comes back is offered again.
    QFile::copy(older, gone);
    EXPECT_EQ(
        OpenMenu(recent), (std::vector<MenuEntry> {{newest, true}, {gone, true}, {older, true}}));

    QAction* clear = MenuAction(recent, "&Clear");
    ASSERT_NE(clear, nullptr);
    EXPECT_TRUE(clear->isEnabled());
    clear->trigger();
    EXPECT_TRUE(recent.Paths().isEmpty());
    EXPECT_TRUE(OpenMenu(recent).empty());
    clear = MenuAction(recent, "&Clear");
    ASSERT_NE(clear, nullptr);
    EXPECT_FALSE(clear->isEnabled());
}

TEST(RecentSessionsWithoutSettings, KeptForTheRunOnly)
{
    ASSERT_TRUE(QCoreApplication::organizationName().isEmpty());
    QWidget parent;
    RecentSessions recent(&parent);
    recent.Add("/tmp/one.xml");
    EXPECT_EQ(recent.Paths(), QStringList {"/tmp/one.xml"});
    EXPECT_TRUE(RecentSessions(&parent).Paths().isEmpty());
}

// The window lists what its session commands loaded or saved.
class WindowRecentSessionsTest : public ShownWindowTest
{
protected:
    IsolatedSettings settings;
    QTemporaryDir files;
};

TEST_F(WindowRecentSessionsTest, LoadsAndSavesThatSucceedAreListed)
{
    const QString loaded = Sample("ecc16-var-custom-3blocks.xml");
    const QString saved = files.filePath("mine.xml");
    dialogs.OpenAnswers = {loaded, "", files.filePath("missing.xml"), Sample("../../data")};
    dialogs.SaveAnswers = {saved, ""};

    ui().LoadSession->trigger(); // loaded
    ui().SaveSession->trigger(); // saved
    ui().LoadSession->trigger(); // cancelled
    ui().SaveSession->trigger(); // cancelled
    ui().LoadSession->trigger(); // no such file
    ui().LoadSession->trigger(); // a folder
    ASSERT_EQ(dialogs.Messages.size(), 4u);
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.Messages[1].Icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.Messages[2].Icon, MsgIcon::Error);
    EXPECT_EQ(dialogs.Messages[3].Icon, MsgIcon::Error);
    EXPECT_EQ(window->Recent().Paths(), (QStringList {saved, QDir::cleanPath(loaded)}));
}

TEST_F(WindowRecentSessionsTest, ChoosingASessionLoadsItAsLoadSessionDoes)
{
    const QString session = QDir::cleanPath(Sample("ecc16-var-custom-3blocks.xml"));
    window->Recent().Add(session);
    window->Recent().Add(files.filePath("other.xml"));

    const std::vector<MenuEntry> entries = OpenMenu(window->Recent());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_FALSE(entries[0].Enabled);
    window->Recent().Menu()->actions().at(1)->trigger();
    ASSERT_TRUE(WaitUntil([&] { return !dialogs.Messages.empty(); }));

    EXPECT_TRUE(dialogs.OpenFolders.empty()) << "the file dialog was opened";
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "File " + session + " loaded successfully!");
    EXPECT_EQ(ui().BlockCount->currentText(), "3");
    EXPECT_EQ(ui().BlockSize[1]->currentText(), "xC000");
    EXPECT_EQ(ui().Updates[1]->text(), "100000");
    EXPECT_EQ(window->Recent().Paths().constFirst(), session);
}

} // namespace
} // namespace eee::testing_support
