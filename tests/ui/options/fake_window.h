#pragma once
// Stand-ins for the main window's parts that the panel and the saved
// settings use: a source tree, an output box, and a module whose table
// lists come from a map.

#include <QFileInfo>
#include <QMap>

#include <algorithm>

#include "shell/converter_module.h"
#include "ui/window_parts.h"

// A two-level tree: a file row, followed by its table rows while expanded.
class FakeSourceList : public SourceList {
public:
    explicit FakeSourceList(ConverterModule* module = nullptr) : module_(module) {}

    QList<FileAndTables> files() const override { return files_; }
    void setFiles(const QList<FileAndTables>& files) override
    {
        files_ = files;
        expanded_.clear();
        selected_.clear();
        ++redraws;
    }
    bool addFile(const QString& path) override
    {
        for (const FileAndTables& file : files_)
            if (file.filename == path)
                return false;
        files_.append({path, module_ ? module_->getTables(path) : QStringList()});
        return true;
    }
    void reload() override { ++redraws; }
    int rowCount() const override
    {
        int rows = 0;
        for (qsizetype i = 0; i < files_.size(); ++i)
            rows += 1 + (expanded_.contains(i) ? int(files_[i].tables.size()) : 0);
        return rows;
    }
    bool expandRow(int row) override
    {
        qsizetype file = fileAtRow(row);
        if (file < 0 || expanded_.contains(file) || files_[file].tables.isEmpty())
            return false;
        expanded_.append(file);
        return true;
    }
    QList<int> expandedRows() const override
    {
        QList<int> rows;
        for (int row = 0; row < rowCount(); ++row)
            if (qsizetype file = fileAtRow(row); file >= 0 && expanded_.contains(file))
                rows.append(row);
        return rows;
    }
    QList<int> selectedRows() const override { return selected_; }
    void selectRows(const QList<int>& rows) override
    {
        selected_.clear();
        for (int row : rows)
            if (row >= 0 && row < rowCount())
                selected_.append(row);
    }

    int redraws = 0;

private:
    // The file shown at a row, or -1 for a table row or no row.
    qsizetype fileAtRow(int row) const
    {
        int at = 0;
        for (qsizetype i = 0; i < files_.size(); ++i) {
            if (at == row)
                return i;
            at += 1 + (expanded_.contains(i) ? int(files_[i].tables.size()) : 0);
            if (at > row)
                return -1;
        }
        return -1;
    }

    ConverterModule* module_;
    QList<FileAndTables> files_;
    QList<qsizetype> expanded_;
    QList<int> selected_;
};

class FakeOutputHistory : public OutputHistory {
public:
    QStringList items() const override { return items_; }
    void AddItem(const QString& value) override
    {
        items_.removeAll(value);
        items_.prepend(value);
        while (items_.size() > 20)
            items_.removeLast();
        text_ = value;
    }
    QString text() const override { return text_; }
    void setText(const QString& text) { text_ = text; }

private:
    QStringList items_;
    QString text_;
};

// Tables of existing files come from `tables`; other files have none.
class FakeModule : public ConverterModule {
public:
    QStringList getSourceFiles() const override { return {"xls", "xlsx"}; }
    QString getdefaultExtension() const override { return "dbf"; }
    QString initializeConverter(const QList<QObject*>&) override { return moduleName(); }
    QString titleForWindow() const override { return "Ledgerline"; }
    QStringList getTables(const QString& path) override
    {
        return QFileInfo::exists(path) ? tables.value(path) : QStringList();
    }
    QString moduleName() const override { return "ledgerline"; }
    bool convertFile(const QString&, QStringList&) override { return true; }

    QMap<QString, QStringList> tables;
};
