#pragma once
// The cells of one sheet for the workbook preview's table, read from the
// workbook only when the view asks for them. Column 0 ("***") numbers the
// rows from 1; column c > 0 shows the sheet's column c - 1, row r its row r.

#include <string>

#include "module/xl/xl_api.h"
#include "preview_table_model.h"

class XlsSheetModel : public PreviewTableModel {
    Q_OBJECT
public:
    using PreviewTableModel::PreviewTableModel;

    // Shows a sheet of a book (both must outlive the model, or be replaced
    // first); a null sheet empties the table.
    void setSheet(BookHandle book, SheetHandle sheet);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    PreviewCell cellAt(int row, int column) const override;

private:
    BookHandle book_ = nullptr;
    SheetHandle sheet_ = nullptr;
    int rows_ = 0;
    int sheetColumns_ = 0;
    // The view asks for several roles of one cell in a row; the last cell
    // is kept so that it is read once.
    mutable int cachedRow_ = -1;
    mutable int cachedColumn_ = -1;
    mutable PreviewCell cached_;
    mutable std::string scratch_;
};
