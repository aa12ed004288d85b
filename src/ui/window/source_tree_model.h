#pragma once
// The source tree's model: one row per source file, under it one row per
// table name. Columns "Filename", "Path" and "Size"; nothing is editable.

#include <QAbstractItemModel>
#include <QList>

#include "shell/file_and_tables.h"

class SourceTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { FilenameColumn, PathColumn, SizeColumn, ColumnCount };

    explicit SourceTreeModel(QObject* parent = nullptr);

    const QList<FileAndTables>& files() const { return files_; }
    void setFiles(const QList<FileAndTables>& files);
    void append(const FileAndTables& file);
    // Removes the files at these indexes (any order, duplicates allowed).
    void removeFiles(QList<int> indexes);

    // The file an index belongs to (its own row or its parent's), -1 when
    // none; the table of a table index, -1 for a file index.
    int fileOf(const QModelIndex& index) const;
    int tableOf(const QModelIndex& index) const;
    QModelIndex fileIndex(int file, int column = 0) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // An index's internal id: 0 for a file row, file + 1 for a table row.
    static constexpr quintptr kFileRow = 0;
    QList<FileAndTables> files_;
};
