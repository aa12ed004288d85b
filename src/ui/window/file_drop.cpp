#include "file_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>

#include "source_tree.h"

FileDrop::FileDrop(QWidget* window, SourceTree& tree) : QObject(window), tree_(tree)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QStringList FileDrop::droppedPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (enter->mimeData()->hasUrls())
            enter->acceptProposedAction();
        return true;
    }
    case QEvent::DragMove:
        static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        QStringList paths = droppedPaths(drop->mimeData());
        bool acceptable = std::any_of(paths.begin(), paths.end(),
                                      [this](const QString& path) { return tree_.hasAcceptedExtension(path); });
        if (!acceptable) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        tree_.handleDrag(paths);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
