// File > Recent Sessions: the last sessions loaded or saved, newest first, as
// full paths. They are kept in the user's settings of the program (QSettings),
// so that every window, now and at the next start, offers the same list; with no
// organisation name set (a test program) they are kept for this run only.
#pragma once

#include <QObject>
#include <QStringList>

class QMenu;
class QWidget;

namespace eee {

class RecentSessions : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxEntries = 8;

    explicit RecentSessions(QWidget* parent);

    // The submenu, filled afresh each time it opens: one entry per session,
    // greyed out when its file is gone, then Clear.
    QMenu* Menu() const { return m_menu; }

    QStringList Paths();
    // Puts a session first; a file already listed, under this path or another
    // spelling of it (a linked folder, ".."), moves up; the ninth falls off.
    void Add(const QString& path);
    void Clear();

signals:
    // The user chose a session of the list.
    void Chosen(const QString& path);

private:
    void Load();
    void Store() const;
    void FillMenu();

    QMenu* m_menu = nullptr;
    QStringList m_paths;
};

} // namespace eee
