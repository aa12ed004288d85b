#include "written_files_model.h"

#include "options/my_options.h"

WrittenFilesModel::WrittenFilesModel(const myOptions& options, QObject* parent)
    : QAbstractTableModel(parent), options_(options)
{
    reload();
}

void WrittenFilesModel::reload()
{
    beginResetModel();
    paths_ = options_.targets().value_or(QStringList());
    endResetModel();
}

QString WrittenFilesModel::pathAt(int row) const
{
    return row >= 0 && row < paths_.size() ? paths_[row] : QString();
}

int WrittenFilesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(paths_.size());
}

int WrittenFilesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant WrittenFilesModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    return index.isValid() ? QVariant(pathAt(index.row())) : QVariant();
}

QVariant WrittenFilesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return QStringLiteral("Written files");
}

Qt::ItemFlags WrittenFilesModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
