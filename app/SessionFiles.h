// SessionFiles: the window's session files. It answers the form's file questions (the
// file dialogs in the session folder, or a path given beforehand), keeps the file last
// chosen for the report, lists in File > Recent Sessions the session a command saved
// or loaded (as the command's own result says, never by the message it showed), and
// opens sessions without the file dialog: given at start-up, chosen in Recent
// Sessions or dropped onto the window, each loads as File > Load Session does.
#pragma once

#include "Dialogs.h"
#include "form/LoadOutcome.h"

#include <QObject>
#include <QString>

#include <optional>
#include <string>

class QAction;
class QMenu;
class QWidget;

namespace eee {

class RecentSessions;

class SessionFiles : public QObject
{
    Q_OBJECT
public:
    // window: the parent of the dialogs, where sessions are dropped; Recent Sessions
    // joins fileMenu after the entry `after`. The module folder is the data files'.
    SessionFiles(QWidget& window, IDialogs& dialogs, std::string moduleFolder, QMenu* fileMenu,
        QAction* after);

    RecentSessions& Recent() const { return *m_recent; }
    // The folder the session dialogs open in: the module folder where it is writable,
    // the home folder elsewhere.
    QString Folder() const;
    // The session file last chosen to load or save (empty for none), for the report.
    const QString& CurrentFile() const { return m_currentFile; }

    // The form's questions: the full path of the file to save or load, nothing when the
    // user cancelled. A session opened without the dialog answers the open question.
    std::optional<std::string> AskSaveFileName();
    std::optional<std::string> AskOpenFileName();
    // The ends of the session commands: a file saved (its path) or announced as loaded
    // joins the recent sessions.
    void SaveEnded(const std::optional<std::string>& savedPath);
    void LoadEnded(const std::optional<LoadOutcome>& outcome);

    // Opens a session without the file dialog, now or once the window runs (after it
    // has opened as usual).
    void Open(const QString& path);
    void OpenWhenShown(const QString& path);

signals:
    // Load Session is to run now; its file question is answered with the path given.
    void LoadRequested();

private:
    void ListIf(bool succeeded);

    QWidget& m_window;
    IDialogs& m_dialogs;
    std::string m_moduleFolder;
    RecentSessions* m_recent = nullptr;
    std::optional<QString> m_presetOpenPath;
    // The file of the command under way, listed when the command succeeds.
    std::optional<QString> m_commandPath;
    QString m_currentFile;
};

} // namespace eee
