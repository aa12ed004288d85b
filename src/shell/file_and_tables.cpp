#include "file_and_tables.h"

#include <QFileInfo>
#include <QSet>

#include "converter_module.h"

QVariantMap FileAndTables::toMap() const
{
    return {{QStringLiteral("filename"), filename}, {QStringLiteral("table"), tables}};
}

FileAndTables FileAndTables::fromMap(const QVariantMap& map)
{
    FileAndTables record;
    record.filename = map.value(QStringLiteral("filename")).toString();
    record.tables = map.value(QStringLiteral("table")).toStringList();
    return record;
}

bool CheckForTables(QList<FileAndTables>& sourceFT, ConverterModule& module)
{
    if (sourceFT.isEmpty())
        return false;
    QList<FileAndTables> fresh;
    bool unchanged = true;
    for (const FileAndTables& record : sourceFT) {
        if (!QFileInfo::exists(record.filename)) {
            unchanged = false;
            continue;
        }
        QStringList current = module.getTables(record.filename);
        QSet<QString> saved(record.tables.begin(), record.tables.end());
        QSet<QString> now(current.begin(), current.end());
        if (saved == now) {
            fresh.append(record);
        } else if (!current.isEmpty()) {
            fresh.append({record.filename, current});
            if (current.size() != record.tables.size())
                unchanged = false;
        } else {
            unchanged = false;
        }
    }
    if (!unchanged)
        sourceFT = fresh;
    return unchanged;
}
