#include "RecentSessions.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace eee {

namespace {
const QString kSettingsKey = QStringLiteral("RecentSessions");

bool HasSettings()
{
    // Without an organisation name QSettings can neither read nor write.
    return !QCoreApplication::organizationName().isEmpty();
}

QString FullPath(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
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
    m_paths.removeAll(full);
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
    const QStringList stored = QSettings().value(kSettingsKey).toStringList();
    m_paths.clear();
    for (const QString& path : stored) {
        // A hand-edited settings file may hold anything: keep full paths, once each.
        if (!path.isEmpty() && QFileInfo(path).isAbsolute() && !m_paths.contains(path)
            && m_paths.size() < kMaxEntries)
            m_paths.append(path);
    }
}

void RecentSessions::Store() const
{
    if (!HasSettings())
        return;
    QSettings settings;
    if (m_paths.isEmpty())
        settings.remove(kSettingsKey);
    else
        settings.setValue(kSettingsKey, m_paths);
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
