#pragma once
// The table preview: a character-set pop-up, an information line and the
// table's records. The table file stays open until the controller is
// destroyed; changing the character set decodes the texts again without
// reopening it.

#include <memory>

#include "preview_controller.h"

class DbfTableModel;
class QTableView;
class xbtable;

class dbfPreview : public PreviewController {
    Q_OBJECT
public:
    // charset: the character-set index of the table's texts.
    dbfPreview(const QString& filename, int charset, QObject* parent = nullptr);
    ~dbfPreview() override;

    int charset() const { return charset_; }
    // Null when the table could not be opened.
    xbtable* dbf() const { return dbf_.get(); }
    QTableView* tbl() const { return tbl_; }
    DbfTableModel* model() const { return model_.get(); }

public slots:
    // Decodes the texts with the character set of the pop-up's item at this
    // position, when it differs from the current one.
    void charsetChanged(int popIndex);

protected:
    void fillWindow() override;

private:
    int charset_;
    std::unique_ptr<xbtable> dbf_;
    std::unique_ptr<DbfTableModel> model_; // after dbf_: goes first
    QTableView* tbl_ = nullptr;
};
