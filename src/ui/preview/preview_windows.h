#pragma once
// Opens preview windows: a workbook, a DBF table or a text file, chosen by
// the file's extension. Every window's controller is kept until the
// program ends.

#include <QList>
#include <QObject>
#include <QString>

class PreviewWindows : public QObject {
    Q_OBJECT
public:
    explicit PreviewWindows(QObject* parent = nullptr) : QObject(parent) {}

    // charset: a character-set index, or -1 for a document (read-me,
    // licence). Nothing opens for another extension or an empty path.
    void showPreview(const QString& path, int charset);

    // The controllers opened so far.
    const QList<QObject*>& pw() const { return pw_; }

private:
    QList<QObject*> pw_;
};
