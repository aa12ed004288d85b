#pragma once
// What the workbook and table previews share: read-only cells made on
// demand by cellAt, each shown with its alignment.

#include <QAbstractTableModel>

#include "preview_cell.h"

class PreviewTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The cell at a table position, as data() gives it.
    virtual PreviewCell cellAt(int row, int column) const = 0;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole))
            return {};
        const PreviewCell cell = cellAt(index.row(), index.column());
        if (role == Qt::TextAlignmentRole)
            return int(cell.alignment.toInt());
        return cell.text;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
    }
};
