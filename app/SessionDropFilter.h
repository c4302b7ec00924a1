// Dropping a session file onto the window: one local file whose root element is
// SessionData is taken (the window then loads it as File > Load Session does);
// any other file, several files or a folder are refused, wherever they are
// dropped, so that a field never takes a file's name as its text. Dragged text
// that is not a file is left to the fields as before.
#pragma once

#include <QObject>
#include <QString>

class QDropEvent;
class QMimeData;
class QWidget;

namespace eee {

class SessionDropFilter : public QObject
{
    Q_OBJECT
public:
    // Watches the window and every control in it that takes drops.
    explicit SessionDropFilter(QWidget* window);

    // The session file a drag carries, or an empty text when it carries none.
    static QString SessionFileOf(const QMimeData& data);
    // Whether a file is a session: an XML document whose root element is SessionData.
    static bool IsSessionFile(const QString& path);

signals:
    // Sent after the drop has ended, so that the drag's source is not kept waiting.
    void SessionDropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_dragged; // the session file of the drag under way, if it carries one
};

} // namespace eee
