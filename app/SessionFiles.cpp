#include "SessionFiles.h"

#include "RecentSessions.h"
#include "SessionDropFilter.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>

#include <utility>

namespace eee {

SessionFiles::SessionFiles(
    QWidget& window, IDialogs& dialogs, std::string moduleFolder, QMenu* fileMenu, QAction* after)
    : QObject(&window)
    , m_window(window)
    , m_dialogs(dialogs)
    , m_moduleFolder(std::move(moduleFolder))
    , m_recent(new RecentSessions(&window))
{
    const QList<QAction*> entries = fileMenu->actions();
    const qsizetype at = entries.indexOf(after);
    fileMenu->insertMenu(entries.value(at + 1), m_recent->Menu());
    // Queued, so that the menu has closed before the load shows its message.
    connect(m_recent, &RecentSessions::Chosen, this, &SessionFiles::Open, Qt::QueuedConnection);

    auto* drops = new SessionDropFilter(&window);
    connect(drops, &SessionDropFilter::SessionDropped, this, &SessionFiles::Open);
}

QString SessionFiles::Folder() const
{
    // An installed program's folder is not writable: offer the home folder there.
    const QString module = DecodePath(m_moduleFolder);
    const QFileInfo info(module);
    if (info.isDir() && info.isWritable())
        return module;
    return QDir::homePath();
}

std::optional<std::string> SessionFiles::AskSaveFileName()
{
    // Set by the file dialog's answer, cleared when the command ends: a later command
    // never lists a session that failed.
    m_commandPath = m_dialogs.SaveFileName(&m_window, Folder());
    if (!m_commandPath)
        return std::nullopt;
    m_currentFile = *m_commandPath;
    return EncodePath(*m_commandPath);
}

std::optional<std::string> SessionFiles::AskOpenFileName()
{
    m_commandPath = std::exchange(m_presetOpenPath, std::nullopt);
    if (!m_commandPath)
        m_commandPath = m_dialogs.OpenFileName(&m_window, Folder());
    if (!m_commandPath)
        return std::nullopt;
    m_currentFile = *m_commandPath;
    return EncodePath(*m_commandPath);
}

void SessionFiles::SaveEnded(const std::optional<std::string>& savedPath)
{
    ListIf(savedPath.has_value());
}

void SessionFiles::LoadEnded(const std::optional<LoadOutcome>& outcome)
{
    ListIf(outcome && outcome->Announced());
}

void SessionFiles::ListIf(bool succeeded)
{
    const std::optional<QString> path = std::exchange(m_commandPath, std::nullopt);
    if (succeeded && path)
        m_recent->Add(*path);
}

void SessionFiles::Open(const QString& path)
{
    m_presetOpenPath = path;
    emit LoadRequested();
    m_presetOpenPath.reset(); // unused when the form did not get as far as asking
}

void SessionFiles::OpenWhenShown(const QString& path)
{
    QMetaObject::invokeMethod(
        this, [this, path] { Open(path); }, Qt::QueuedConnection);
}

} // namespace eee
