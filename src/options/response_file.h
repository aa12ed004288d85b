#pragma once
// "@file" arguments: a UTF-8 text file whose lines are further arguments.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <variant>

// A response file larger than this is refused: argument lists are short,
// and the bound keeps "@/dev/zero" from filling memory.
inline constexpr int64_t kMaxResponseFileBytes = 1 << 20;

enum class ResponseFileFailure {
    NotAFile,    // missing, a folder, a device or a pipe
    CannotOpen,  // exists but cannot be read
    TooLarge,    // size: more than kMaxResponseFileBytes
    NotUtf8,     // size: the bytes read
};

struct ResponseFileError {
    ResponseFileFailure failure;
    QString path;
    int64_t size = 0;
};

QString describe(const ResponseFileError& error);

// The file's lines: its text split at every "\n" and nothing else, so a
// carriage return before a line feed stays at the end of its line. A
// leading UTF-8 byte order mark is dropped.
std::variant<QStringList, ResponseFileError> readResponseFile(const QString& path);
