#include "SessionDropFilter.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <QXmlStreamReader>

namespace eee {

SessionDropFilter::SessionDropFilter(QWidget* window)
    : QObject(window)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->acceptDrops())
            child->installEventFilter(this);
    }
}

QString SessionDropFilter::SessionFileOf(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    return IsSessionFile(path) ? path : QString();
}

bool SessionDropFilter::IsSessionFile(const QString& path)
{
    // Only a regular file is opened: a FIFO or a device could block the window.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The reader stops at the first element; comments, processing instructions
    // and a document type before it are passed over, in any encoding XML allows.
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            return reader.name() == QLatin1String("SessionData");
    }
    return false;
}

bool SessionDropFilter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData* data = drop->mimeData();
    if (!data || !data->hasUrls())
        return QObject::eventFilter(watched, event); // text for a field
    // The file is read once as the drag comes in, not at every move of the mouse.
    if (type == QEvent::DragEnter || type == QEvent::Drop)
        m_dragged = SessionFileOf(*data);
    const QString path = m_dragged;
    // Loading copies nothing, but a move would let the source delete the file.
    if (path.isEmpty() || !(drop->possibleActions() & Qt::CopyAction)) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, path] { emit SessionDropped(path); }, Qt::QueuedConnection);
    return true;
}

} // namespace eee
