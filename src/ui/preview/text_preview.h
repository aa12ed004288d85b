#pragma once
// The text preview: a character-set pop-up, an information line, a wrap
// switch and the text. At most the first megabyte of a file is decoded.
//
// Document mode (charset -1, for the read-me and the licence) shows the
// file's name as title, decodes as "Cyrillic (Windows)" and leaves out the
// megabyte note.

#include <QString>

#include <optional>

#include "preview_controller.h"

class QAbstractButton;
class QPlainTextEdit;

class textPreview : public PreviewController {
    Q_OBJECT
public:
    static constexpr qint64 kPreviewLimit = 1048576;

    textPreview(const QString& filename, int charset, QObject* parent = nullptr);

    int charset() const { return charset_; }
    bool documentMode() const { return documentMode_; }
    bool wrapsLines() const { return wrapsLines_; }
    QPlainTextEdit* txt() const { return txt_; }

    // The first kPreviewLimit bytes of a file decoded strictly in a
    // character set; nullopt when the file cannot be read or the bytes do
    // not decode.
    static std::optional<QString> readHead(const QString& path, int charsetIndex);

public slots:
    // Shows the file in the current character set (empty when it does not
    // decode).
    void showFile();
    // Flips between wrapping lines at the view's width and not wrapping.
    void wrapToogle();
    void charsetChanged(int popIndex);

protected:
    void fillWindow() override;

private:
    void setWrapping(bool wrap);

    int charset_;
    bool documentMode_ = false;
    bool wrapsLines_ = true;
    QPlainTextEdit* txt_ = nullptr;
    QAbstractButton* wrap_ = nullptr;
};
