#include "stored_values.h"

#include <QVariantMap>

#include <cmath>
#include <limits>

namespace {

bool isList(const QVariant& value)
{
    int type = value.typeId();
    return type == QMetaType::QVariantList || type == QMetaType::QStringList;
}

bool isString(const QVariant& value)
{
    return value.typeId() == QMetaType::QString;
}

} // namespace

std::optional<int64_t> storedInteger(const QVariant& value)
{
    bool ok = false;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
        return value.toLongLong();
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar: {
        qulonglong n = value.toULongLong();
        if (n > qulonglong(std::numeric_limits<int64_t>::max()))
            return std::nullopt;
        return int64_t(n);
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        double n = value.toDouble();
        // 2^63 itself does not fit; every double below it that is whole does.
        if (!std::isfinite(n) || n != std::trunc(n) || n < -0x1p63 || n >= 0x1p63)
            return std::nullopt;
        return int64_t(n);
    }
    case QMetaType::QString: {
        qlonglong n = value.toString().trimmed().toLongLong(&ok, 10);
        return ok ? std::optional<int64_t>(n) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<QString> storedText(const QVariant& value)
{
    if (!isString(value) || value.toString().isEmpty())
        return std::nullopt;
    return value.toString();
}

std::optional<QStringList> storedStringList(const QVariant& value)
{
    if (!value.isValid())
        return QStringList();
    if (isString(value))
        return QStringList{value.toString()};
    if (!isList(value))
        return std::nullopt;
    QStringList strings;
    for (const QVariant& entry : value.toList()) {
        if (!isString(entry))
            return std::nullopt;
        strings.append(entry.toString());
    }
    return strings;
}

QList<int> storedRowNumbers(const QVariant& value)
{
    QVariantList entries = isList(value) ? value.toList() : QVariantList{value};
    QList<int> rows;
    for (const QVariant& entry : entries) {
        std::optional<int64_t> row = storedInteger(entry);
        if (row && *row >= 0 && *row <= std::numeric_limits<int>::max())
            rows.append(int(*row));
    }
    return rows;
}

StoredSourceFiles storedSourceFiles(const QVariant& value)
{
    StoredSourceFiles stored;
    if (!value.isValid())
        return stored;
    QVariantList entries = isList(value) ? value.toList() : QVariantList{value};
    for (const QVariant& entry : entries) {
        QVariantMap map = entry.typeId() == QMetaType::QVariantMap ? entry.toMap() : QVariantMap();
        QVariant filename = map.value(QStringLiteral("filename"));
        std::optional<QStringList> tables = storedStringList(map.value(QStringLiteral("table")));
        if (!storedText(filename) || !tables) {
            stored.allValid = false;
            continue;
        }
        stored.files.append({filename.toString(), *tables});
    }
    return stored;
}
