// The table preview: information line, columns, cells, the deleted mark,
// the character-set switch and damaged tables.

#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "dbf_bytes.h"
#include "module/dbf/xbtable.h"
#include "options/charsets.h"
#include "support/test_support.h"
#include "ui/preview/dbf_preview.h"
#include "ui/preview/dbf_table_model.h"

using namespace previewtest;
using testsupport::TempDir;

namespace {

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kCentre = Qt::AlignCenter;

const std::vector<DbfField> kFields = {
    {"NAME", 'C', 12}, {"QTY", 'N', 5}, {"BORN", 'D', 8}, {"OK", 'L', 1}};

// Two records in code page 1251 ("Cyrillic (Windows)"), the second deleted.
std::string cyrillicTable()
{
    std::string bytes = dbfHeader(kFields, 2, 0xC9);
    appendDbfRecord(bytes, kFields, false, {"\xCF\xF0\xE8\xE2\xE5\xF2", "42", "20230315", "T"}); // "Привет"
    appendDbfRecord(bytes, kFields, true, {"abc", "7", "19991231", "F"});
    return bytes + kDbfEnd;
}

int charsetIndexNamed(const char* name)
{
    return charsetIndexForName(QString::fromUtf8(name)).value_or(-1);
}

QString fileSize(const std::string& path)
{
    return QString::number(QFileInfo(QString::fromStdString(path)).size());
}

} // namespace

class DbfPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void windowAndColumns();
    void cells_data();
    void cells();
    void charsetSwitchDecodesAgain();
    void damagedTables_data();
    void damagedTables();
    void millionRecordsOpenAtOnce();

private:
    TempDir dir_;
    std::string tablePath_;
};

void DbfPreviewTest::initTestCase()
{
    tablePath_ = dir_.file("people.dbf");
    testsupport::writeFile(tablePath_, cyrillicTable());
}

void DbfPreviewTest::windowAndColumns()
{
    const QString path = QString::fromStdString(tablePath_);
    dbfPreview preview(path, kDefaultCharsetIndex);
    preview.windowDidLoad();
    QVERIFY(preview.dbf());
    QCOMPARE(preview.window()->windowTitle(), path);
    QCOMPARE(preview.infoText(), "2 records | 4 fields | " + fileSize(tablePath_) + " bytes");

    auto* pop = preview.window()->findChild<QComboBox*>("pop");
    QCOMPARE(pop->count(), kCharsetCount);
    QCOMPARE(pop->currentText(), QStringLiteral("Cyrillic (Windows)"));
    QCOMPARE(pop->itemData(42).toInt(), 42);

    QAbstractItemModel* model = preview.tbl()->model();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->columnCount(), 5);
    const QStringList headers = {"*", "NAME", "QTY", "BORN", "OK"};
    const QList<int> widths = {50, 120, 50, 80, 30}; // 10 per character; at least 30
    for (int column = 0; column < 5; ++column) {
        QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), headers[column]);
        QCOMPARE(preview.tbl()->columnWidth(column), widths[column]);
    }
    QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::UserRole).toString(), QStringLiteral("***"));
}

void DbfPreviewTest::cells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text"); // null: whatever the engine gives
    QTest::addColumn<Qt::Alignment>("alignment");

    QTest::newRow("record not deleted") << 0 << 0 << "" << kCentre;
    QTest::newRow("deleted record") << 1 << 0 << "*" << kCentre;
    QTest::newRow("character field") << 0 << 1 << "Привет" << kLeft;
    QTest::newRow("character field of a deleted record") << 1 << 1 << "abc" << kLeft;
    QTest::newRow("numeric field") << 0 << 2 << "42" << kRight;
    QTest::newRow("date field") << 0 << 3 << QString() << kCentre;
    QTest::newRow("logical field") << 1 << 4 << "F" << kCentre;
}

void DbfPreviewTest::cells()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(Qt::Alignment, alignment);

    dbfPreview preview(QString::fromStdString(tablePath_), kDefaultCharsetIndex);
    preview.windowDidLoad();
    QVERIFY(preview.model());
    // Read the row out of order, so the kept record must follow the row.
    const QModelIndex other = preview.model()->index(1 - row, column);
    QVERIFY(other.data().isValid());
    const QModelIndex index = preview.model()->index(row, column);
    if (!text.isNull())
        QCOMPARE(index.data().toString(), text);
    else
        QVERIFY(!index.data().toString().isEmpty());
    QCOMPARE(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()), alignment);
}

void DbfPreviewTest::charsetSwitchDecodesAgain()
{
    dbfPreview preview(QString::fromStdString(tablePath_), kDefaultCharsetIndex);
    preview.windowDidLoad();
    const xbtable* table = preview.dbf();
    const QString info = preview.infoText();
    const QModelIndex name = preview.model()->index(0, 1);
    QCOMPARE(name.data().toString(), QStringLiteral("Привет"));

    auto* pop = preview.window()->findChild<QComboBox*>("pop");
    const int koi8r = charsetIndexNamed("Cyrillic (KOI8-R)");
    QVERIFY(koi8r >= 0);
    pop->setCurrentIndex(koi8r);
    QCOMPARE(preview.charset(), koi8r);
    QCOMPARE(preview.model()->index(0, 1).data().toString(), QStringLiteral("оПХБЕР"));
    QCOMPARE(preview.dbf(), table); // not reopened
    QCOMPARE(preview.infoText(), info);

    pop->setCurrentIndex(kDefaultCharsetIndex);
    QCOMPARE(preview.model()->index(0, 1).data().toString(), QStringLiteral("Привет"));
}

void DbfPreviewTest::damagedTables_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // Refused tables leave the window in its empty state; the others may
    // open or not, but every cell must be safe to ask for.
    QTest::addColumn<bool>("refused");

    const std::vector<DbfField> one = {{"NAME", 'C', 10}};
    std::string two = dbfHeader(one, 2);
    appendDbfRecord(two, one, false, {"first"});
    appendDbfRecord(two, one, false, {"second"});

    QTest::newRow("ten bytes") << QByteArray(two.substr(0, 10).c_str(), 10) << true;
    QTest::newRow("header cut in a descriptor") << QByteArray::fromStdString(two.substr(0, 40)) << true;
    std::string lying = two;
    lying[4] = lying[5] = lying[6] = '\xFF'; // claims 16 million records
    QTest::newRow("record count beyond the file") << QByteArray::fromStdString(lying) << false;
    std::string hugeHeader = two;
    hugeHeader[8] = hugeHeader[9] = '\xFF';
    QTest::newRow("header length beyond the file") << QByteArray::fromStdString(hugeHeader) << false;
    QTest::newRow("empty file") << QByteArray() << true;
}

void DbfPreviewTest::damagedTables()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, refused);

    const std::string path = dir_.file("damaged.dbf");
    testsupport::writeFile(path, bytes.toStdString());
    dbfPreview preview(QString::fromStdString(path), kDefaultCharsetIndex);
    preview.windowDidLoad();
    if (refused || !preview.dbf()) {
        QVERIFY(!preview.dbf());
        QVERIFY(preview.infoText().isEmpty());
        QCOMPARE(preview.tbl()->model(), nullptr);
        return;
    }
    // Every cell of the first rows and of the last row can be asked for.
    DbfTableModel* model = preview.model();
    const int rows = model->rowCount();
    for (int row : {0, 1, 2, rows - 1, rows})
        for (int column = 0; column <= model->columnCount(); ++column)
            (void)model->cellAt(row, column);
    preview.window()->resize(400, 300);
    QVERIFY(!preview.window()->grab().isNull());
}

void DbfPreviewTest::millionRecordsOpenAtOnce()
{
    const std::vector<DbfField> fields = {{"ID", 'N', 7}, {"NAME", 'C', 20}};
    constexpr uint32_t kRecords = 1000000;
    std::string bytes = dbfHeader(fields, kRecords);
    bytes.reserve(bytes.size() + size_t(kRecords) * 28 + 1);
    for (uint32_t i = 0; i < kRecords; ++i)
        appendDbfRecord(bytes, fields, i % 1000 == 0, {std::to_string(i + 1), "name " + std::to_string(i)});
    bytes += kDbfEnd;
    const std::string path = dir_.file("million.dbf");
    testsupport::writeFile(path, bytes);

    QElapsedTimer timer;
    timer.start();
    dbfPreview preview(QString::fromStdString(path), kDefaultCharsetIndex);
    preview.windowDidLoad();
    const qint64 loading = timer.elapsed();
    preview.showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(preview.window()));
    (void)preview.window()->grab();
    const qint64 opening = timer.restart();

    QScrollBar* bar = preview.tbl()->verticalScrollBar();
    for (int step = 0; step < 50; ++step) {
        bar->setValue(bar->maximum() / 50 * step);
        (void)preview.window()->grab();
    }
    bar->setValue(bar->maximum());
    (void)preview.window()->grab();
    const qint64 scrolling = timer.elapsed();
    qInfo("million records: opened in %lld ms, opened and drawn in %lld ms, 51 scroll positions drawn in %lld ms",
          loading, opening, scrolling);

    QCOMPARE(preview.model()->rowCount(), int(kRecords));
    QCOMPARE(preview.model()->index(kRecords - 1, 1).data().toString(), QStringLiteral("1000000"));
    QCOMPARE(preview.model()->index(999000, 0).data().toString(), QStringLiteral("*"));
    // Generous bounds for a shared two-core machine; a copy of the data or
    // a measured row height per record would take far longer.
    QVERIFY2(opening < 10000, qPrintable(QString::number(opening)));
    QVERIFY2(scrolling < 10000, qPrintable(QString::number(scrolling)));
}

QTEST_MAIN(DbfPreviewTest)
#include "dbf_preview_test.moc"
