#pragma once
// Files dropped anywhere on the main window go to the source tree. A drag
// is welcome while it carries file names; the drop is refused when none of
// them has an accepted extension.

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;
class SourceTree;

class FileDrop : public QObject {
public:
    // Makes window accept drops and watches its drag events.
    FileDrop(QWidget* window, SourceTree& tree);

    // The local file paths of a drag, in its order.
    static QStringList droppedPaths(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SourceTree& tree_;
};
