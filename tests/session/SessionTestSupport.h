// Shared pieces of the session tests: a module folder of their own, the window
// opened on it with recorded dialogs, the user's actions on the real controls
// and snapshots of what the window shows.
#pragma once

#include "app/MainWindow.h"
#include "app/tools/RecordingDialogs.h"
#include "tests/app/WindowTestSupport.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

namespace eee::test {

// The folder of the test executable, where the build puts the delivered data files.
QString DeliveredFolder();
QString DeliveredFile(const QString& name);

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// Every file below a folder with its content, by path relative to the folder.
using FolderSnapshot = std::map<std::string, std::string>;
FolderSnapshot Snapshot(const QString& folder);

// A small tmpfs of the test's own, for folders that are full or read-only.
// Tests skip when the system does not let them mount one.
class ScratchMount
{
public:
    explicit ScratchMount(const char* options = "size=1m,mode=0755");
    ~ScratchMount();
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool Mounted() const { return m_mounted; }
    QString Path() const { return m_dir.path(); }
    QString File(const QString& name) const { return m_dir.filePath(name); }
    bool MakeReadOnly();
    // Fills the file system with one more file until no byte is left.
    bool Fill();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// A session file as the program writes it; rows are DataSize, Updates, Records, Frequency,
// CusOverhead.
struct SessionText
{
    std::string Scheme = "ECC16 Var-Length";
    std::string LifeTime = "20";
    std::vector<std::string> Blocks {"x8000", "x8000"};
    std::string CusOverheadEn = "0";
    std::string BlockOverhead = "0";
    std::vector<std::array<std::string, 5>> Rows {{"512", "10", "8", "0", "0"}};
    std::string Root = "SessionData";
    std::string SchemaLocation = "SessionData.xsd";
    bool AttributesSwapped = false;

    QByteArray Xml() const;
};

// What the window shows, control by control; hidden controls are left out.
using Texts = std::map<std::string, std::string>;
Texts InputTexts(const MainWindow& window);
Texts OutputTexts(const MainWindow& window);
Texts AllTexts(const MainWindow& window);
// Equal texts; on failure, lists the controls that differ.
::testing::AssertionResult SameTexts(const Texts& actual, const Texts& expected);

// The user's actions on the controls.
::testing::AssertionResult Choose(QComboBox* combo, const QString& text);
void Type(QLineEdit* edit, const QString& text);
// A message box as the recorder saw it.
struct Msg
{
    std::string Text;
    MsgIcon Icon = MsgIcon::Information;
    bool operator==(const Msg&) const = default;
};
void PrintTo(const Msg& msg, std::ostream* os);

// An expected message: the text is literal except for {path} (a file's full
// path), {name} (its name) and {reason} (any text the XML parser gives).
struct Expected
{
    MsgIcon Icon;
    std::string Text;
};
::testing::AssertionResult MessagesMatch(const std::vector<Msg>& shown,
    const std::vector<Expected>& expected, const QString& path = {}, const QString& name = {});

// Fixture: a module folder holding copies of the delivered data files, a
// second folder for the user's own files, and the window on the module folder.
class SessionWindowTest : public testing_support::WindowTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window on the module folder (or another one) and forgets the start-up's messages.
    void OpenWindow();
    void OpenWindow(const QString& moduleFolder);

    MainWindow& Window() { return *window; }
    const MainWindow::Controls& Ui() const { return window->Ui(); }
    int Calculations() { return window->Form().State().Calculations; }

    QString ModulePath() const { return m_module.path(); }
    QString ModuleFile(const QString& name) const { return m_module.filePath(name); }
    QString UserPath() const { return m_user.path(); }
    QString UserFile(const QString& name) const { return m_user.filePath(name); }

    // The commands, with the file dialogs' answers (an empty answer cancels, so
    // does no answer at all).
    void Save(const std::optional<QString>& answer);
    void Load(const std::optional<QString>& answer);
    void RestoreDefault();

    // The messages shown since the window opened (or since the last TakeMessages).
    std::vector<Msg> TakeMessages();

private:
    QTemporaryDir m_module;
    QTemporaryDir m_user;
};

} // namespace eee::test
