#pragma once
// The list of output files written since the program started (the options'
// targets), one row per path. Reloaded on the GUI thread after each
// converted source file; the rows show the copy taken then.

#include <QAbstractTableModel>
#include <QStringList>

class myOptions;

class WrittenFilesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit WrittenFilesModel(const myOptions& options, QObject* parent = nullptr);

    void reload();
    // The path at a row; empty beyond the list.
    QString pathAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const myOptions& options_;
    QStringList paths_;
};
