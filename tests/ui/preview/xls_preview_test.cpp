// The workbook preview: information line, sheet choice, and how each kind
// of cell is shown.

#include <QComboBox>
#include <QFileInfo>
#include <QTableView>
#include <QTest>

#include <memory>

#include "support/test_support.h"
#include "support/xlsx_builder.h"
#include "ui/preview/xls_preview.h"
#include "ui/preview/xls_sheet_model.h"

using testsupport::TempDir;
using testsupport::XlsxBuilder;

namespace {

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kCentre = Qt::AlignCenter;

// Sheet "Data": one cell of each kind in column A, row by row; the last
// row also has a text in column B, so the sheet is 11 rows by 2 columns.
bool writeSampleBook(const std::string& path)
{
    XlsxBuilder book;
    book.sheet("Notes").text(0, 0, "first sheet");
    book.sheet("Data");
    const int date = book.style(14);
    const int dateTime = book.style(22);
    const int twoDecimals = book.style(164, "0.00");
    const int padded = book.style(165, "00.00");
    const int fiveDigits = book.style(166, "00000");
    book.number(0, 0, 45000, date)
        .number(1, 0, 45000.5, dateTime)
        .number(2, 0, 1.5)
        .number(3, 0, 2)
        .number(4, 0, 7.254, twoDecimals)
        .number(5, 0, 1.5, padded)
        .number(6, 0, 42.9, fiveDigits)
        .number(7, 0, -3.7, fiveDigits)
        .text(8, 0, "Привет")
        .boolean(9, 0, true)
        .boolean(9, 1, false)
        .text(10, 1, "end");
    book.sheet("Offset").number(3, 2, 1);
    return book.save(path);
}

QString sizeOf(const std::string& path)
{
    return QString::number(QFileInfo(QString::fromStdString(path)).size());
}

} // namespace

class XlsPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cells_data();
    void cells();
    void firstSheetAndInformationLine_data();
    void firstSheetAndInformationLine();
    void switchingSheets();
    void unreadableWorkbooks_data();
    void unreadableWorkbooks();
    void workbookWithoutSheets();

private:
    TempDir dir_;
    std::string bookPath_;
};

void XlsPreviewTest::initTestCase()
{
    bookPath_ = dir_.file("sample.xlsx");
    QVERIFY(writeSampleBook(bookPath_));
}

void XlsPreviewTest::cells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column"); // the table's column: 0 is "***"
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::Alignment>("alignment");

    QTest::newRow("row number of the first row") << 0 << 0 << "1" << kRight;
    QTest::newRow("row number of the last row") << 10 << 0 << "11" << kRight;
    QTest::newRow("date at midnight") << 0 << 1 << "2023.03.15" << kLeft;
    QTest::newRow("date with a time") << 1 << 1 << "2023.03.15 12:00:00" << kLeft;
    QTest::newRow("built-in one and a half") << 2 << 1 << "1.5" << kRight;
    QTest::newRow("built-in two") << 3 << 1 << "2" << kRight;
    QTest::newRow("custom 0.00") << 4 << 1 << "7.25" << kRight;
    QTest::newRow("custom 00.00 pads to five") << 5 << 1 << " 1.50" << kRight;
    QTest::newRow("custom without point truncates") << 6 << 1 << "   42" << kRight;
    QTest::newRow("custom without point, negative") << 7 << 1 << "   -3" << kRight;
    QTest::newRow("text") << 8 << 1 << "Привет" << kLeft;
    QTest::newRow("boolean true") << 9 << 1 << "1" << kCentre;
    QTest::newRow("boolean false") << 9 << 2 << "0" << kCentre;
    QTest::newRow("empty cell") << 10 << 1 << "" << kLeft;
    QTest::newRow("text in the second column") << 10 << 2 << "end" << kLeft;
}

void XlsPreviewTest::cells()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(Qt::Alignment, alignment);

    xlsPreview preview(QString::fromStdString(bookPath_), QStringLiteral("Data"));
    preview.windowDidLoad();
    QVERIFY(preview.model());
    const QModelIndex index = preview.model()->index(row, column);
    QCOMPARE(index.data().toString(), text);
    QCOMPARE(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()), alignment);
}

void XlsPreviewTest::firstSheetAndInformationLine_data()
{
    QTest::addColumn<QString>("tablename");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("counts");

    QTest::newRow("no name: the first sheet") << "" << "Notes" << "1 records | 1 fields";
    QTest::newRow("a name") << "Data" << "Data" << "11 records | 2 fields";
    QTest::newRow("leading empty rows and columns count") << "Offset" << "Offset" << "4 records | 3 fields";
    QTest::newRow("an unknown name: the first sheet") << "Missing" << "Notes" << "1 records | 1 fields";
}

void XlsPreviewTest::firstSheetAndInformationLine()
{
    QFETCH(QString, tablename);
    QFETCH(QString, shown);
    QFETCH(QString, counts);

    const QString path = QString::fromStdString(bookPath_);
    xlsPreview preview(path, tablename);
    preview.windowDidLoad();
    QVERIFY(preview.window());
    QCOMPARE(preview.window()->windowTitle(), path);
    QCOMPARE(preview.infoText(), counts + " | " + sizeOf(bookPath_) + " bytes");
    auto* pop = preview.window()->findChild<QComboBox*>("pop");
    QCOMPARE(pop->count(), 3);
    QCOMPARE(pop->currentText(), shown);
    QCOMPARE(pop->itemData(2).toInt(), 2);

    // Columns: "***" (header "#", width 50), then one per sheet column.
    QAbstractItemModel* model = preview.tbl()->model();
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("#"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("1"));
    QCOMPARE(preview.tbl()->columnWidth(0), 50);
    QCOMPARE(preview.tbl()->columnWidth(1), 100);
}

void XlsPreviewTest::switchingSheets()
{
    const QString path = QString::fromStdString(bookPath_);
    xlsPreview preview(path, QString());
    preview.windowDidLoad();
    auto* pop = preview.window()->findChild<QComboBox*>("pop");
    pop->setCurrentIndex(2);
    QCOMPARE(preview.infoText(), "4 records | 3 fields | " + sizeOf(bookPath_) + " bytes");
    QCOMPARE(preview.model()->rowCount(), 4);
    QCOMPARE(preview.model()->columnCount(), 4);
    QCOMPARE(preview.model()->index(3, 3).data().toString(), QStringLiteral("1"));
    QCOMPARE(preview.window()->windowTitle(), path);
}

void XlsPreviewTest::unreadableWorkbooks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all

    QTest::newRow("missing file") << "missing.xlsx" << QByteArray();
    QTest::newRow("text named .xlsx") << "text.xlsx" << QByteArray("just some text\n");
    QTest::newRow("text named .xls") << "text.xls" << QByteArray("just some text\n");
    QTest::newRow("zip header only") << "cut.xlsx" << QByteArray("PK\x03\x04\x14\x00", 6);
}

void XlsPreviewTest::unreadableWorkbooks()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);

    const std::string path = dir_.file(name.toStdString());
    if (!bytes.isEmpty())
        testsupport::writeFile(path, bytes.toStdString());
    xlsPreview preview(QString::fromStdString(path), QString());
    preview.windowDidLoad();
    QCOMPARE(preview.infoText(), QStringLiteral("Cannot load file"));
    QCOMPARE(preview.window()->findChild<QComboBox*>("pop")->count(), 0);
    QCOMPARE(preview.tbl()->model()->rowCount(), 0);
    QCOMPARE(preview.tbl()->model()->columnCount(), 0);
}

void XlsPreviewTest::workbookWithoutSheets()
{
    const std::string path = dir_.file("empty.xlsx");
    QVERIFY(XlsxBuilder().save(path));
    xlsPreview preview(QString::fromStdString(path), QStringLiteral("Sheet1"));
    preview.windowDidLoad();
    QCOMPARE(preview.window()->findChild<QComboBox*>("pop")->count(), 0);
    QVERIFY(!preview.sheet());
    QCOMPARE(preview.tbl()->model()->rowCount(), 0);
    QVERIFY(preview.infoText().isEmpty() || preview.infoText() == QStringLiteral("Cannot load file"));
}

QTEST_MAIN(XlsPreviewTest)
#include "xls_preview_test.moc"
