#pragma once
// Reading values back from the settings store, where anything may be
// found: a hand-edited file, another version's types, or the text form
// that an INI file gives every value. Each reader accepts only what its
// key can hold and answers "nothing" otherwise, so the field keeps its
// value instead of receiving a wrong type or an index no control has.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <optional>

#include "shell/file_and_tables.h"

// A whole number: an integer, a floating-point value without fraction, or
// a text of decimal digits with an optional sign (blanks around allowed).
std::optional<int64_t> storedInteger(const QVariant& value);
// A string that is not empty.
std::optional<QString> storedText(const QVariant& value);
// A list of strings. One string alone counts as a list of one (the INI
// form of a one-item list); a missing value is an empty list; anything
// else is nullopt.
std::optional<QStringList> storedStringList(const QVariant& value);
// Non-negative whole numbers; entries of another kind are left out.
QList<int> storedRowNumbers(const QVariant& value);

// Source-file records: maps with a non-empty "filename" string and a
// "table" list of strings (one map alone counts as a list of one). Entries
// of another shape are left out and reported by allValid.
struct StoredSourceFiles {
    QList<FileAndTables> files;
    bool allValid = true;
};
StoredSourceFiles storedSourceFiles(const QVariant& value);
