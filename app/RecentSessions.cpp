#include "RecentSessions.h"

#include "common/Identity.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <algorithm>

namespace eee {

namespace {

bool HasSettings()
{
    // Without an organisation name QSettings can neither read nor write.
    return !QCoreApplication::organizationName().isEmpty();
}

// The file a path leads to: its canonical path (links, "." and ".." resolved)
// when it exists, else the path itself.
QString FileOf(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

// A path as listed: full and clean, unless cleaning it leads to another file
// ("link/.." goes up from where the link leads): then the file's canonical path.
QString FullPath(const QString& path)
{
    const QFileInfo info(path);
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    const QString file = info.canonicalFilePath();
    return !file.isEmpty() && FileOf(clean) != file ? file : clean;
}

// Whether one of the paths leads to that file: a file reached by two spellings of
// its path (a linked folder, "..") is listed once.
bool Lists(const QStringList& paths, const QString& file)
{
    return std::any_of(paths.cbegin(), paths.cend(),
        [&file](const QString& listed) { return FileOf(listed) == file; });
}

} // namespace

RecentSessions::RecentSessions(QWidget* parent)
    : QObject(parent)
    , m_menu(new QMenu("&Recent Sessions", parent))
{
    connect(m_menu, &QMenu::aboutToShow, this, &RecentSessions::FillMenu);
    Load();
    FillMenu();
}

QStringList RecentSessions::Paths()
{
    Load();
    return m_paths;
}

void RecentSessions::Add(const QString& path)
{
    Load(); // another window may have added sessions since
    const QString full = FullPath(path);
    const QString file = FileOf(full);
    // Listed under another spelling: moves up under this one.
    m_paths.removeIf([&file](const QString& listed) { return FileOf(listed) == file; });
    m_paths.prepend(full);
    while (m_paths.size() > kMaxEntries)
        m_paths.removeLast();
    Store();
}

void RecentSessions::Clear()
{
    m_paths.clear();
    Store();
}

void RecentSessions::Load()
{
    if (!HasSettings())
        return;
    const QStringList stored = QSettings().value(kRecentSessionsKey).toStringList();
    m_paths.clear();
    for (const QString& path : stored) {
        // A hand-edited settings file may hold anything: keep full paths, once each.
        if (path.isEmpty() || !QFileInfo(path).isAbsolute() || m_paths.size() >= kMaxEntries)
            continue;
        if (!Lists(m_paths, FileOf(path)))
            m_paths.append(path);
    }
}

void RecentSessions::Store() const
{
    if (!HasSettings())
        return;
    QSettings settings;
    if (m_paths.isEmpty())
        settings.remove(kRecentSessionsKey);
    else
        settings.setValue(kRecentSessionsKey, m_paths);
}

void RecentSessions::FillMenu()
{
    Load();
    m_menu->clear();
    int number = 0;
    for (const QString& path : std::as_const(m_paths)) {
        ++number;
        // "&" would mark a shortcut letter in a menu text.
        QString label = QDir::toNativeSeparators(path);
        label.replace('&', "&&");
        QAction* entry = m_menu->addAction(QStringLiteral("&%1 %2").arg(number).arg(label));
        entry->setData(path);
        entry->setEnabled(QFileInfo(path).isFile());
        connect(entry, &QAction::triggered, this, [this, path] { emit Chosen(path); });
    }
    if (!m_paths.isEmpty())
        m_menu->addSeparator();
    QAction* clear = m_menu->addAction("&Clear");
    clear->setEnabled(!m_paths.isEmpty());
    connect(clear, &QAction::triggered, this, &RecentSessions::Clear);
}

} // namespace eee
