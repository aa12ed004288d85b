#pragma once
// The source tree on the "Input" page: the workbooks to convert and their
// tables. Rows are counted as the tree shows them: a file row, then its
// table rows while the file is expanded.

#include <QObject>
#include <QStringList>

#include "source_tree_model.h"
#include "ui/window_parts.h"

class ConverterModule;
class QTreeView;
class myOptions;

// One row of the tree as the run reads it.
struct TreeRow {
    enum Kind { None, File, Table };
    Kind kind = None;
    QString filename;   // the file's path; a table row's is its file's
    QString table;      // table rows only
    QStringList tables; // file rows only: every table of the file
};

class SourceTree : public QObject, public SourceList {
    Q_OBJECT
public:
    SourceTree(QTreeView* view, myOptions& options, ConverterModule& module, QObject* parent = nullptr);

    QTreeView* view() const { return view_; }
    const SourceTreeModel& model() const { return model_; }

    // ---- SourceList
    QList<FileAndTables> files() const override { return model_.files(); }
    void setFiles(const QList<FileAndTables>& files) override;
    bool addFile(const QString& path) override;
    void reload() override;
    int rowCount() const override;
    bool expandRow(int row) override;
    QList<int> expandedRows() const override;
    QList<int> selectedRows() const override;
    void selectRows(const QList<int>& rows) override;

    // ---- what the run reads (GUI thread)
    TreeRow itemAtRow(int row) const;
    bool isRowExpanded(int row) const;

    // Adds the paths in order and selects them too, keeping the earlier
    // selection; paths already listed are neither added nor selected.
    void addPaths(const QStringList& paths);
    // A drop: the paths with an accepted extension, as addPaths.
    void handleDrag(const QStringList& paths);
    bool hasAcceptedExtension(const QString& path) const;
    // The command line's workbooks replace the list and are all selected.
    void replaceWithCommandLineFiles(const QStringList& paths);

public slots:
    void OpenDialog();
    void RemoveItem();
    void fileDoubleClick(const QModelIndex& index);

signals:
    void previewRequested(const QString& path);

private:
    QModelIndex indexAtRow(int row) const;
    int rowOfIndex(const QModelIndex& index) const;
    void deselectTablesOf(const QModelIndex& fileIndex);

    QTreeView* view_;
    myOptions& options_;
    ConverterModule& module_;
    SourceTreeModel model_;
};
