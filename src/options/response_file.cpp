#include "response_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QString describe(const ResponseFileError& error)
{
    switch (error.failure) {
    case ResponseFileFailure::NotAFile:
        return QStringLiteral("%1 is not a readable file").arg(error.path);
    case ResponseFileFailure::CannotOpen:
        return QStringLiteral("%1 cannot be opened").arg(error.path);
    case ResponseFileFailure::TooLarge:
        return QStringLiteral("%1 is larger than %2 bytes").arg(error.path).arg(kMaxResponseFileBytes);
    case ResponseFileFailure::NotUtf8:
        return QStringLiteral("%1 is not UTF-8 text").arg(error.path);
    }
    return {};
}

std::variant<QStringList, ResponseFileError> readResponseFile(const QString& path)
{
    // Only regular files: a pipe or a device could block or never end.
    QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return ResponseFileError{ResponseFileFailure::NotAFile, path};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ResponseFileError{ResponseFileFailure::CannotOpen, path};
    // Read one byte more than allowed to notice a file that grew.
    QByteArray bytes = file.read(kMaxResponseFileBytes + 1);
    if (bytes.size() > kMaxResponseFileBytes)
        return ResponseFileError{ResponseFileFailure::TooLarge, path, info.size()};
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return ResponseFileError{ResponseFileFailure::NotUtf8, path, bytes.size()};
    return text.split(QLatin1Char('\n'));
}
