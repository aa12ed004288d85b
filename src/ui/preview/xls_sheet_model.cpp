#include "xls_sheet_model.h"

#include <algorithm>
#include <limits>

#include "xls_cell_text.h"

void XlsSheetModel::setSheet(BookHandle book, SheetHandle sheet)
{
    beginResetModel();
    book_ = book;
    sheet_ = book ? sheet : nullptr;
    rows_ = sheet_ ? std::max(0, xlSheetLastRowA(sheet_)) : 0;
    sheetColumns_ = sheet_ ? std::max(0, xlSheetLastColA(sheet_)) : 0;
    cachedRow_ = cachedColumn_ = -1;
    endResetModel();
}

int XlsSheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int XlsSheetModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !sheet_)
        return 0;
    return sheetColumns_ < std::numeric_limits<int>::max() ? sheetColumns_ + 1 : sheetColumns_;
}

PreviewCell XlsSheetModel::cellAt(int row, int column) const
{
    if (!sheet_ || row < 0 || row >= rows_ || column < 0 || column > sheetColumns_)
        return {};
    if (column == 0)
        return {QString::number(row + 1), kAlignRight};
    if (row != cachedRow_ || column != cachedColumn_) {
        cached_ = xlsPreviewCell(book_, sheet_, row, column - 1, scratch_);
        cachedRow_ = row;
        cachedColumn_ = column;
    }
    return cached_;
}

QVariant XlsSheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return section == 0 ? QStringLiteral("#") : QString::number(section);
    if (role == Qt::UserRole) // the column's identifier
        return section == 0 ? QStringLiteral("***") : QString::number(section - 1);
    return {};
}
