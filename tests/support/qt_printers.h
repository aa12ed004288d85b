#pragma once
// Readable failure messages for Qt texts in GoogleTest.

#include <QString>
#include <QStringList>

#include <optional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", \"" : "\"") << list[i].toStdString() << '"';
    *os << '}';
}

inline void PrintTo(const std::optional<QString>& text, std::ostream* os)
{
    if (text)
        PrintTo(*text, os);
    else
        *os << "(absent)";
}
