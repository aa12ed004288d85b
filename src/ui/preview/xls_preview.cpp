#include "xls_preview.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableView>

#include "module/converter/open_book.h"
#include "xls_sheet_model.h"

namespace {

constexpr int kRowNumberColumnWidth = 50;
constexpr int kCellColumnWidth = 100;

} // namespace

xlsPreview::xlsPreview(const QString& filename, const QString& tablename, QObject* parent)
    : PreviewController(QStringLiteral("xlsPreview"), filename, parent), tablename_(tablename)
{
}

xlsPreview::~xlsPreview()
{
    if (tbl_)
        tbl_->setModel(nullptr);
    model_.reset();
    book_.reset();
}

SheetHandle xlsPreview::xlsGetSheetByName(const QString& name) const
{
    if (!book_)
        return nullptr;
    const QByteArray wanted = name.toUtf8();
    for (int i = xlBookSheetCountA(book_->handle()) - 1; i >= 0; --i) {
        SheetHandle sheet = xlBookGetSheetA(book_->handle(), i);
        const char* sheetName = sheet ? xlSheetNameA(sheet) : nullptr;
        if (sheetName && wanted == sheetName)
            return sheet;
    }
    return nullptr;
}

void xlsPreview::fillWindow()
{
    window()->setWindowTitle(filename());
    tbl_ = outlet<QTableView>("tbl");
    if (!tbl_) {
        qWarning("Interface file xlsPreview lacks its tbl outlet");
        return;
    }
    model_ = std::make_unique<XlsSheetModel>();
    tbl_->setModel(model_.get());
    setUpTable(tbl_);
    tbl_->horizontalHeader()->setDefaultSectionSize(kCellColumnWidth);

    book_ = std::make_unique<OpenBook>(filename());
    if (!book_->load()) {
        book_.reset();
        info()->setText(tr("Cannot load file"));
        return;
    }

    const QSignalBlocker quiet(pop());
    pop()->clear();
    const int sheetCount = xlBookSheetCountA(book_->handle());
    int first = 0;
    for (int i = 0; i < sheetCount; ++i) {
        const char* name = xlSheetNameA(xlBookGetSheetA(book_->handle(), i));
        const QString title = name ? QString::fromUtf8(name) : QString();
        pop()->addItem(title, i);
        if (!tablename_.isEmpty() && title == tablename_)
            first = i;
    }
    connect(pop(), &QComboBox::currentIndexChanged, this, &xlsPreview::selectTable);
    if (sheetCount == 0)
        return; // nothing to show
    pop()->setCurrentIndex(first);
    selectTable(first);
}

void xlsPreview::selectTable(int popIndex)
{
    if (!book_ || !model_ || popIndex < 0 || popIndex >= pop()->count())
        return;
    sheet_ = xlsGetSheetByName(pop()->itemText(popIndex));
    if (!sheet_) {
        model_->setSheet(nullptr, nullptr);
        return;
    }
    info()->setText(QStringLiteral("%1 records | %2 fields | %3 bytes")
                        .arg(xlSheetLastRowA(sheet_))
                        .arg(xlSheetLastColA(sheet_))
                        .arg(fileSizeOrZero(filename())));
    model_->setSheet(book_->handle(), sheet_);
    tbl_->setColumnWidth(0, kRowNumberColumnWidth);
}
