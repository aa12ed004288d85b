#include "text_preview.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include <string>
#include <string_view>

#include "charset_popup.h"
#include "module/text/codec.h"
#include "options/charsets.h"

namespace {

constexpr int kDocumentCharset = kDefaultCharsetIndex; // "Cyrillic (Windows)"

} // namespace

textPreview::textPreview(const QString& filename, int charset, QObject* parent)
    : PreviewController(QStringLiteral("textPreview"), filename, parent), charset_(charset)
{
}

std::optional<QString> textPreview::readHead(const QString& path, int charsetIndex)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(kPreviewLimit);
    if (head.isEmpty() && file.error() != QFileDevice::NoError)
        return std::nullopt;
    std::string utf8;
    const auto& codec = ll::text::Codec::forCode(charsetCodeAtIndex(charsetIndex));
    if (!codec.decode(std::string_view(head.constData(), size_t(head.size())), utf8))
        return std::nullopt;
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

void textPreview::fillWindow()
{
    txt_ = outlet<QPlainTextEdit>("txt");
    wrap_ = outlet<QAbstractButton>("wrap");
    fillCharsetPopup(pop(), -1);
    QString suffix;
    if (charset_ == -1) {
        documentMode_ = true;
        charset_ = kDocumentCharset;
        window()->setWindowTitle(QFileInfo(filename()).fileName());
    } else {
        suffix = QStringLiteral(" (Preview dialog displays only 1 megabyte for big files)");
        window()->setWindowTitle(filename());
    }
    {
        const QSignalBlocker quiet(pop());
        pop()->setCurrentIndex(pop()->findData(charset_));
    }
    connect(pop(), &QComboBox::currentIndexChanged, this, &textPreview::charsetChanged);
    info()->setText(QStringLiteral("%1 bytes%2").arg(fileSizeOrZero(filename())).arg(suffix));
    if (!txt_) {
        qWarning("Interface file textPreview lacks its txt outlet");
        return;
    }
    txt_->setReadOnly(true);
    txt_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    if (wrap_) {
        wrap_->setCheckable(true);
        connect(wrap_, &QAbstractButton::toggled, this, &textPreview::wrapToogle);
    }
    setWrapping(true);
    showFile();
    wrapToogle(); // every preview opens unwrapped
}

void textPreview::showFile()
{
    if (!txt_)
        return;
    txt_->clear();
    if (const auto text = readHead(filename(), charset_))
        txt_->setPlainText(*text);
}

void textPreview::setWrapping(bool wrap)
{
    wrapsLines_ = wrap;
    if (txt_)
        txt_->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    if (wrap_) {
        const QSignalBlocker quiet(wrap_);
        wrap_->setChecked(wrap);
    }
}

void textPreview::wrapToogle()
{
    setWrapping(!wrapsLines_);
}

void textPreview::charsetChanged(int popIndex)
{
    const int selected = popIndex >= 0 ? pop()->itemData(popIndex).toInt() : -1;
    if (selected < 0 || selected == charset_)
        return;
    charset_ = selected;
    showFile();
}
