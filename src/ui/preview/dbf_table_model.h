#pragma once
// The records of an open DBF table for the table preview, read only when
// the view asks for them: nothing of the table is copied. Column 0 ("***")
// marks deleted records with "*"; column c > 0 shows the field c - 1.
//
// The table object is positioned on the record of the cell asked for; the
// record read last is kept, so a row costs one read, not one per cell.

#include <cstdint>
#include <vector>

#include "preview_table_model.h"

class xbtable;

class DbfTableModel : public PreviewTableModel {
    Q_OBJECT
public:
    // The table must be open and outlive the model.
    explicit DbfTableModel(xbtable& table, QObject* parent = nullptr);

    // After the table's encoding changed: every text is decoded again.
    void reloadTexts();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    PreviewCell cellAt(int row, int column) const override;
    // The table's length of the field a column shows; 0 for column 0.
    int64_t fieldLengthOfColumn(int column) const;

private:
    struct Column {
        QString name;       // identifier and header
        int64_t field;      // indexOfField(name), or xbtable::NotFound
        int64_t length;
        Qt::Alignment alignment;
    };

    bool positionOn(int row) const;

    xbtable& table_;
    int rows_ = 0;
    std::vector<Column> columns_; // the fields, in field order
    mutable int64_t currentRecord_ = -1;
    mutable bool currentRecordRead_ = false;
    mutable int cachedRow_ = -1;
    mutable int cachedColumn_ = -1;
    mutable PreviewCell cached_;
};
