#pragma once
// A source file and its table names, as the tree and the saved settings
// keep them. Stored form: a map {"filename": path, "table": [names]}.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class ConverterModule;

struct FileAndTables {
    QString filename;
    QStringList tables;

    QVariantMap toMap() const;
    // A record from its stored form; nullopt-like empty filename when the
    // map is not one.
    static FileAndTables fromMap(const QVariantMap& map);

    bool operator==(const FileAndTables&) const = default;
};

// Compares a restored list with the files as they are now: drops records
// whose file is gone or yields no tables, refreshes records whose tables
// changed, and rewrites the list in place when anything was dropped or a
// file's number of tables changed. Returns true when the list is
// unchanged (so a saved selection still fits).
bool CheckForTables(QList<FileAndTables>& sourceFT, ConverterModule& module);
