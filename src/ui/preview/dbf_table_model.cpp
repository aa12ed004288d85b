#include "dbf_table_model.h"

#include <algorithm>
#include <limits>

#include "module/dbf/xbtable.h"

namespace {

// A DBF header holds at most a few thousand field descriptors; a table that
// claims more is damaged and shows no more than this.
constexpr int64_t kMaxColumns = 4096;

Qt::Alignment alignmentOfField(const xbtable& table, int64_t field)
{
    if (field == xbtable::NotFound)
        return kAlignDefault;
    if (table.isNumericField(field))
        return kAlignRight;
    switch (table.fieldType(field)) {
    case 'D':
    case 'L':
    case 'T':
        return kAlignCentre;
    default:
        return kAlignDefault;
    }
}

} // namespace

DbfTableModel::DbfTableModel(xbtable& table, QObject* parent) : PreviewTableModel(parent), table_(table)
{
    rows_ = int(std::clamp<int64_t>(table_.recCount(), 0, std::numeric_limits<int>::max()));
    const int64_t fields = std::clamp<int64_t>(table_.fieldCount(), 0, kMaxColumns);
    columns_.reserve(size_t(fields));
    for (int64_t i = 0; i < fields; ++i) {
        const std::string name = table_.fieldName(i);
        const int64_t field = table_.indexOfField(name);
        columns_.push_back({QString::fromUtf8(name.data(), qsizetype(name.size())), field,
                            std::max<int64_t>(0, table_.fieldLength(i)), alignmentOfField(table_, field)});
    }
}

void DbfTableModel::reloadTexts()
{
    beginResetModel();
    currentRecord_ = -1;
    cachedRow_ = cachedColumn_ = -1;
    endResetModel();
}

int DbfTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DbfTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size()) + 1;
}

int64_t DbfTableModel::fieldLengthOfColumn(int column) const
{
    return column > 0 && size_t(column) <= columns_.size() ? columns_[size_t(column - 1)].length : 0;
}

bool DbfTableModel::positionOn(int row) const
{
    if (row != currentRecord_) {
        currentRecord_ = row;
        currentRecordRead_ = table_.getRecord(row);
    }
    return currentRecordRead_;
}

PreviewCell DbfTableModel::cellAt(int row, int column) const
{
    if (row < 0 || row >= rows_ || column < 0 || size_t(column) > columns_.size())
        return {};
    if (row == cachedRow_ && column == cachedColumn_)
        return cached_;
    PreviewCell cell;
    if (positionOn(row)) {
        if (column == 0) {
            cell = {table_.isDeleted() ? QStringLiteral("*") : QString(), kAlignCentre};
        } else {
            const Column& shown = columns_[size_t(column - 1)];
            cell.alignment = shown.alignment;
            if (shown.field != xbtable::NotFound)
                if (const auto text = table_.getString(shown.field))
                    cell.text = QString::fromUtf8(text->data(), qsizetype(text->size()));
        }
    }
    cached_ = cell;
    cachedRow_ = row;
    cachedColumn_ = column;
    return cell;
}

QVariant DbfTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return section == 0 ? QStringLiteral("*") : columns_[size_t(section - 1)].name;
    if (role == Qt::UserRole) // the column's identifier
        return section == 0 ? QStringLiteral("***") : columns_[size_t(section - 1)].name;
    return {};
}
