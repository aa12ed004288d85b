#pragma once
// What the settings, the command line and the options panel need of the
// main window's source tree and output box. The tree and the output
// selection implement these; tests can give simple fakes.

#include <QList>
#include <QString>
#include <QStringList>

#include "shell/file_and_tables.h"

// The source tree: its files and the rows that show them (a file row, then
// its table rows when expanded).
class SourceList {
public:
    virtual ~SourceList() = default;
    virtual QList<FileAndTables> files() const = 0;
    // Replaces the list and redraws the tree (every row collapsed).
    virtual void setFiles(const QList<FileAndTables>& files) = 0;
    // Adds a file with the module's table list; false for a path already
    // listed. Does not redraw: callers reload().
    virtual bool addFile(const QString& path) = 0;
    virtual void reload() = 0;
    virtual int rowCount() const = 0;
    // Expands the file at a row; false when no expandable item is there.
    virtual bool expandRow(int row) = 0;
    // Row numbers, ascending.
    virtual QList<int> expandedRows() const = 0;
    virtual QList<int> selectedRows() const = 0;
    // Selects exactly these rows.
    virtual void selectRows(const QList<int>& rows) = 0;
};

// The output box with its history (most recent first, at most 20).
class OutputHistory {
public:
    virtual ~OutputHistory() = default;
    virtual QStringList items() const = 0;
    // Puts a value on top of the history and makes it the box's text.
    virtual void AddItem(const QString& value) = 0;
    virtual QString text() const = 0;
};
