#pragma once
// Opens preview windows: a workbook, a DBF table or a text file, chosen by
// the file's extension. Every window's controller is kept (a child of this
// object) until the program ends, also after its window is closed, so its
// file stays open until then.

#include <QList>
#include <QObject>
#include <QString>

class PreviewWindows : public QObject {
    Q_OBJECT
public:
    explicit PreviewWindows(QObject* parent = nullptr) : QObject(parent) {}

    // charset: a character-set index, or -1 for a document (read-me,
    // licence). By lower-cased extension: "dbf" a table preview, "xls" and
    // "xlsx" a workbook preview (first sheet; charset unused), "txt",
    // "csv", "xml" and "sql" a text preview. Another extension or an empty
    // path opens nothing and answers null; else the new controller, whose
    // window is shown.
    QObject* showPreview(const QString& path, int charset);

    // The controllers opened so far.
    const QList<QObject*>& pw() const { return pw_; }

private:
    QList<QObject*> pw_;
};
