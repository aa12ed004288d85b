#include "dbf_preview.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTableView>

#include <algorithm>

#include "charset_popup.h"
#include "dbf_table_model.h"
#include "module/dbf/xbtable.h"
#include "options/charsets.h"

namespace {

constexpr int kMarkColumnWidth = 50;
constexpr int kPointsPerCharacter = 10;
// Narrow fields still show their header; a 254-character field (or a
// lying header) does not make a column wider than a screen.
constexpr int64_t kMinFieldColumnWidth = 30;
constexpr int64_t kMaxFieldColumnWidth = 1000;

} // namespace

dbfPreview::dbfPreview(const QString& filename, int charset, QObject* parent)
    : PreviewController(QStringLiteral("dbfPreview"), filename, parent), charset_(charset)
{
}

dbfPreview::~dbfPreview()
{
    if (tbl_)
        tbl_->setModel(nullptr);
    model_.reset();
    if (dbf_)
        dbf_->closeDBFfile();
}

void dbfPreview::fillWindow()
{
    fillCharsetPopup(pop(), charset_);
    connect(pop(), &QComboBox::currentIndexChanged, this, &dbfPreview::charsetChanged);
    window()->setWindowTitle(filename());
    tbl_ = outlet<QTableView>("tbl");
    if (!tbl_) {
        qWarning("Interface file dbfPreview lacks its tbl outlet");
        return;
    }
    dbf_ = std::make_unique<xbtable>();
    if (!dbf_->openDBFfile(QFile::encodeName(filename()).toStdString())) {
        dbf_.reset();
        return; // the window keeps its empty table and information line
    }
    dbf_->setEncoding(charsetCodeAtIndex(charset_));
    info()->setText(QStringLiteral("%1 records | %2 fields | %3 bytes")
                        .arg(dbf_->recCount())
                        .arg(dbf_->fieldCount())
                        .arg(fileSizeOrZero(filename())));

    model_ = std::make_unique<DbfTableModel>(*dbf_);
    tbl_->setModel(model_.get());
    setUpTable(tbl_);
    tbl_->setColumnWidth(0, kMarkColumnWidth);
    for (int column = 1; column < model_->columnCount(); ++column) {
        const int64_t width = std::clamp(kPointsPerCharacter * model_->fieldLengthOfColumn(column),
                                         kMinFieldColumnWidth, kMaxFieldColumnWidth);
        tbl_->setColumnWidth(column, int(width));
    }
}

void dbfPreview::charsetChanged(int popIndex)
{
    const int selected = popIndex >= 0 ? pop()->itemData(popIndex).toInt() : -1;
    if (selected < 0 || selected == charset_)
        return;
    charset_ = selected;
    if (!dbf_ || !model_)
        return;
    dbf_->setEncoding(charsetCodeAtIndex(charset_));
    model_->reloadTexts();
}
