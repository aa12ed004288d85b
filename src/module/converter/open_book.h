#pragma once
// A workbook opened by its file's extension (.xls: the binary reader, any
// other: the XML reader) with UTF-8 texts, released on every way out.

#include <QFileInfo>
#include <QString>

#include "module/xl/xl_api.h"

class OpenBook {
public:
    explicit OpenBook(const QString& path)
        : path_(path),
          book_(QFileInfo(path).suffix().toLower() == QLatin1String("xls") ? xlCreateBookCA() : xlCreateXMLBookCA())
    {
        if (book_)
            xlBookSetLocaleA(book_, "UTF-8");
    }
    ~OpenBook()
    {
        if (book_)
            xlBookReleaseA(book_);
    }
    OpenBook(const OpenBook&) = delete;
    OpenBook& operator=(const OpenBook&) = delete;

    // Null when no book could be made.
    BookHandle handle() const { return book_; }
    bool load() { return book_ && xlBookLoadA(book_, path_.toUtf8().constData()) != 0; }
    // Only the sheets' names.
    bool loadInfo() { return book_ && xlBookLoadInfoA(book_, path_.toUtf8().constData()) != 0; }

private:
    QString path_;
    BookHandle book_;
};
