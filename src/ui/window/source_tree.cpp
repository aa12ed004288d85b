#include "source_tree.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>

#include "options/my_options.h"
#include "shell/converter_module.h"
#include "shell/paths.h"

SourceTree::SourceTree(QTreeView* view, myOptions& options, ConverterModule& module, QObject* parent)
    : QObject(parent), view_(view), options_(options), module_(module)
{
    view_->setModel(&model_);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setUniformRowHeights(true);
    view_->header()->setStretchLastSection(false);
    view_->header()->setSectionResizeMode(SourceTreeModel::FilenameColumn, QHeaderView::Interactive);
    view_->header()->setSectionResizeMode(SourceTreeModel::PathColumn, QHeaderView::Stretch);
    view_->header()->setSectionResizeMode(SourceTreeModel::SizeColumn, QHeaderView::ResizeToContents);
    view_->setColumnWidth(SourceTreeModel::FilenameColumn, 220);
    // A collapsed file hides its table rows, so they leave the selection,
    // as they would in an outline that forgets hidden rows.
    connect(view_, &QTreeView::collapsed, this, &SourceTree::deselectTablesOf);
    connect(view_, &QTreeView::doubleClicked, this, &SourceTree::fileDoubleClick);
}

// ---- rows as shown ------------------------------------------------------------

QModelIndex SourceTree::indexAtRow(int row) const
{
    if (row < 0)
        return {};
    int current = 0;
    for (int file = 0; file < model_.files().size(); ++file) {
        if (current == row)
            return model_.fileIndex(file);
        ++current;
        QModelIndex fileIndex = model_.fileIndex(file);
        if (!view_->isExpanded(fileIndex))
            continue;
        int tables = model_.rowCount(fileIndex);
        if (row < current + tables)
            return model_.index(row - current, 0, fileIndex);
        current += tables;
    }
    return {};
}

int SourceTree::rowOfIndex(const QModelIndex& index) const
{
    int file = model_.fileOf(index);
    if (file < 0)
        return -1;
    int table = model_.tableOf(index);
    int current = 0;
    for (int f = 0; f < file; ++f) {
        ++current;
        QModelIndex fileIndex = model_.fileIndex(f);
        if (view_->isExpanded(fileIndex))
            current += model_.rowCount(fileIndex);
    }
    if (table < 0)
        return current;
    return view_->isExpanded(model_.fileIndex(file)) ? current + 1 + table : -1;
}

int SourceTree::rowCount() const
{
    int rows = 0;
    for (int file = 0; file < model_.files().size(); ++file) {
        ++rows;
        QModelIndex fileIndex = model_.fileIndex(file);
        if (view_->isExpanded(fileIndex))
            rows += model_.rowCount(fileIndex);
    }
    return rows;
}

bool SourceTree::expandRow(int row)
{
    QModelIndex index = indexAtRow(row);
    if (!index.isValid() || model_.rowCount(index) == 0)
        return false;
    view_->expand(index);
    return true;
}

QList<int> SourceTree::expandedRows() const
{
    QList<int> rows;
    int current = 0;
    for (int file = 0; file < model_.files().size(); ++file) {
        QModelIndex fileIndex = model_.fileIndex(file);
        if (view_->isExpanded(fileIndex)) {
            rows.append(current);
            current += model_.rowCount(fileIndex);
        }
        ++current;
    }
    return rows;
}

QList<int> SourceTree::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedRows(0)) {
        int row = rowOfIndex(index);
        if (row >= 0)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void SourceTree::selectRows(const QList<int>& rows)
{
    QItemSelection selection;
    for (int row : rows) {
        QModelIndex index = indexAtRow(row);
        if (index.isValid())
            selection.select(index, index);
    }
    view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

TreeRow SourceTree::itemAtRow(int row) const
{
    TreeRow item;
    QModelIndex index = indexAtRow(row);
    int file = model_.fileOf(index);
    if (file < 0)
        return item;
    const FileAndTables& record = model_.files()[file];
    item.filename = record.filename;
    int table = model_.tableOf(index);
    if (table >= 0) {
        item.kind = TreeRow::Table;
        item.table = record.tables.value(table);
    } else {
        item.kind = TreeRow::File;
        item.tables = record.tables;
    }
    return item;
}

bool SourceTree::isRowExpanded(int row) const
{
    QModelIndex index = indexAtRow(row);
    return index.isValid() && view_->isExpanded(index);
}

void SourceTree::deselectTablesOf(const QModelIndex& fileIndex)
{
    int tables = model_.rowCount(fileIndex);
    if (tables == 0)
        return;
    QItemSelection hidden(model_.index(0, 0, fileIndex), model_.index(tables - 1, 0, fileIndex));
    view_->selectionModel()->select(hidden, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

// ---- the list -------------------------------------------------------------------

void SourceTree::setFiles(const QList<FileAndTables>& files)
{
    model_.setFiles(files);
}

bool SourceTree::addFile(const QString& path)
{
    for (const FileAndTables& record : model_.files())
        if (record.filename == path)
            return false;
    model_.append({path, module_.getTables(path)});
    return true;
}

void SourceTree::reload()
{
    // The model reports its changes as they happen; what is left is the
    // "Size" column, which reads the file system when drawn.
    view_->viewport()->update();
}

bool SourceTree::hasAcceptedExtension(const QString& path) const
{
    return options_.sourceFiles().value_or(QStringList()).contains(paths::extension(path).toLower());
}

void SourceTree::addPaths(const QStringList& paths)
{
    QList<int> selection = selectedRows();
    int next = rowCount();
    for (const QString& path : paths)
        if (addFile(path))
            selection.append(next++);
    reload();
    selectRows(selection);
}

void SourceTree::handleDrag(const QStringList& paths)
{
    QStringList accepted;
    for (const QString& path : paths)
        if (hasAcceptedExtension(path))
            accepted.append(path);
    addPaths(accepted);
}

void SourceTree::replaceWithCommandLineFiles(const QStringList& paths)
{
    setFiles({});
    int added = 0;
    for (const QString& path : paths)
        if (hasAcceptedExtension(path) && addFile(path))
            ++added;
    reload();
    QList<int> rows;
    for (int row = 0; row < added; ++row)
        rows.append(row);
    selectRows(rows);
}

void SourceTree::OpenDialog()
{
    QStringList patterns;
    for (const QString& extension : options_.sourceFiles().value_or(QStringList()))
        patterns << QStringLiteral("*.") + extension << QStringLiteral("*.") + extension.toUpper();
    QStringList chosen = QFileDialog::getOpenFileNames(view_->window(), QStringLiteral("Add Files"), QString(),
                                                       QStringLiteral("Workbooks (%1)").arg(patterns.join(u' ')));
    if (!chosen.isEmpty())
        addPaths(chosen);
}

void SourceTree::RemoveItem()
{
    QList<int> marked;
    for (int row : selectedRows()) {
        TreeRow item = itemAtRow(row);
        if (item.kind != TreeRow::File)
            continue; // single tables cannot be removed
        for (int file = 0; file < model_.files().size(); ++file)
            if (model_.files()[file].filename == item.filename)
                marked.append(file);
    }
    view_->selectionModel()->clearSelection();
    model_.removeFiles(marked);
    reload();
}

void SourceTree::fileDoubleClick(const QModelIndex& index)
{
    if (index.isValid() && model_.tableOf(index) < 0 && model_.fileOf(index) >= 0)
        emit previewRequested(model_.files()[model_.fileOf(index)].filename);
}
