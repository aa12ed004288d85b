#pragma once
// The workbook preview: a sheet pop-up, an information line and the
// sheet's cells. The workbook stays open while the controller lives and is
// released with it.

#include <QString>

#include <memory>

#include "module/xl/xl_api.h"
#include "preview_controller.h"

class OpenBook;
class QTableView;
class XlsSheetModel;

class xlsPreview : public PreviewController {
    Q_OBJECT
public:
    // tablename: the sheet to show first; empty for the first sheet.
    xlsPreview(const QString& filename, const QString& tablename, QObject* parent = nullptr);
    ~xlsPreview() override;

    const QString& tablename() const { return tablename_; }
    // The last sheet with this name; null when none.
    SheetHandle xlsGetSheetByName(const QString& name) const;
    SheetHandle sheet() const { return sheet_; }
    QTableView* tbl() const { return tbl_; }
    XlsSheetModel* model() const { return model_.get(); }

public slots:
    // Shows the sheet named by the pop-up's item at this position.
    void selectTable(int popIndex);

protected:
    void fillWindow() override;

private:
    QString tablename_;
    std::unique_ptr<OpenBook> book_;
    // Declared after the book: the model, which reads it, goes first.
    std::unique_ptr<XlsSheetModel> model_;
    SheetHandle sheet_ = nullptr;
    QTableView* tbl_ = nullptr;
};
