#include "source_tree_model.h"

#include <QFileInfo>

#include <algorithm>

#include "shell/paths.h"

SourceTreeModel::SourceTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void SourceTreeModel::setFiles(const QList<FileAndTables>& files)
{
    beginResetModel();
    files_ = files;
    endResetModel();
}

void SourceTreeModel::append(const FileAndTables& file)
{
    int row = int(files_.size());
    beginInsertRows({}, row, row);
    files_.append(file);
    endInsertRows();
}

void SourceTreeModel::removeFiles(QList<int> indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    // From the end, so that the indexes still to remove stay valid.
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
        if (*it < 0 || *it >= files_.size())
            continue;
        beginRemoveRows({}, *it, *it);
        files_.removeAt(*it);
        endRemoveRows();
    }
}

int SourceTreeModel::fileOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return -1;
    return index.internalId() == kFileRow ? index.row() : int(index.internalId() - 1);
}

int SourceTreeModel::tableOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this || index.internalId() == kFileRow)
        return -1;
    return index.row();
}

QModelIndex SourceTreeModel::fileIndex(int file, int column) const
{
    return index(file, column);
}

QModelIndex SourceTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return {};
    if (!parent.isValid())
        return row < files_.size() ? createIndex(row, column, kFileRow) : QModelIndex();
    if (parent.internalId() != kFileRow || parent.row() >= files_.size())
        return {};
    if (row >= files_[parent.row()].tables.size())
        return {};
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex SourceTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == kFileRow)
        return {};
    return createIndex(int(child.internalId() - 1), 0, kFileRow);
}

int SourceTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return int(files_.size());
    if (parent.column() != 0 || parent.internalId() != kFileRow || parent.row() >= files_.size())
        return 0;
    return int(files_[parent.row()].tables.size());
}

int SourceTreeModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

QVariant SourceTreeModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    int file = fileOf(index);
    if (file < 0 || file >= files_.size())
        return {};
    const FileAndTables& record = files_[file];
    int table = tableOf(index);
    if (table >= 0) {
        if (index.column() != FilenameColumn || table >= record.tables.size())
            return QString();
        return record.tables[table];
    }
    switch (index.column()) {
    case FilenameColumn:
        return paths::lastComponent(record.filename);
    case PathColumn:
        return paths::deletingLastComponent(record.filename);
    case SizeColumn: {
        // Read at every draw: the file may change while it is listed.
        QFileInfo info(record.filename);
        return QString::number(info.exists() ? qulonglong(info.size()) : 0ULL);
    }
    default:
        return record.filename;
    }
}

QVariant SourceTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case FilenameColumn:
        return QStringLiteral("Filename");
    case PathColumn:
        return QStringLiteral("Path");
    case SizeColumn:
        return QStringLiteral("Size");
    default:
        return {};
    }
}

Qt::ItemFlags SourceTreeModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
