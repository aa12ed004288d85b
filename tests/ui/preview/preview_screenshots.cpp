// Draws the three preview windows with sample files and saves them as
// PNGs: preview-xls.png, preview-dbf.png and preview-text.png in the folder
// given as the first argument (update_screenshots.sh writes them to docs/).

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTest>
#include <QWidget>

#include <cstdio>

#include "dbf_bytes.h"
#include "support/test_support.h"
#include "support/xlsx_builder.h"
#include "ui/preview/preview_controller.h"
#include "ui/preview/preview_windows.h"

using namespace previewtest;

namespace {

bool writeWorkbook(const std::string& path)
{
    testsupport::XlsxBuilder book;
    book.sheet("Invoices");
    const int date = book.style(14);
    const int money = book.style(164, "#,##0.00");
    const int code = book.style(165, "00000");
    const char* customers[] = {"Northwind Traders", "Blue Harbour Ltd", "Ostrov Trading", "Meadow & Sons",
                               "Kestrel Supplies"};
    book.text(0, 0, "Invoice").text(0, 1, "Date").text(0, 2, "Customer").text(0, 3, "Amount")
        .text(0, 4, "Paid").text(0, 5, "Rate");
    for (int row = 1; row <= 24; ++row) {
        book.number(row, 0, 10400 + row, code)
            .number(row, 1, 45290 + row * 3, date)
            .text(row, 2, customers[row % 5])
            .number(row, 3, 125.5 * row + row % 7 * 0.25, money)
            .boolean(row, 4, row % 3 != 0)
            .number(row, 5, 1.0 + row % 4 * 0.125);
    }
    book.sheet("Summary").text(0, 0, "Total");
    return book.save(path);
}

std::string tableBytes()
{
    const std::vector<DbfField> fields = {
        {"ID", 'N', 6}, {"NAME", 'C', 18}, {"CITY", 'C', 14}, {"BORN", 'D', 8}, {"ACTIVE", 'L', 1}, {"BALANCE", 'N', 10, 2}};
    const char* names[] = {"\xC8\xE2\xE0\xED \xCF\xE5\xF2\xF0\xEE\xE2", "\xC0\xED\xED\xE0 \xD1\xEC\xE8\xF0\xED\xEE\xE2\xE0",
                           "Maria Lopez", "\xCE\xEB\xE5\xE3 \xCA\xF3\xE7\xED\xE5\xF6\xEE\xE2", "John Carter"};
    const char* cities[] = {"\xCC\xEE\xF1\xEA\xE2\xE0", "\xCA\xE0\xE7\xE0\xED\xFC", "Valencia", "\xD2\xE2\xE5\xF0\xFC",
                            "Leeds"};
    std::string bytes = dbfHeader(fields, 30, 0xC9);
    for (int i = 0; i < 30; ++i) {
        char born[16], balance[16];
        std::snprintf(born, sizeof born, "19%02d%02d%02d", 50 + i, 1 + i % 12, 1 + i % 28);
        std::snprintf(balance, sizeof balance, "%.2f", 1520.75 * (i + 1) / 3.0);
        appendDbfRecord(bytes, fields, i % 7 == 3,
                        {std::to_string(i + 1), names[i % 5], cities[i % 5], born, i % 4 ? "T" : "F", balance});
    }
    return bytes + kDbfEnd;
}

bool save(QObject* controller, const QString& file, const QSize& size)
{
    auto* preview = qobject_cast<PreviewController*>(controller);
    if (!preview || !preview->window())
        return false;
    preview->window()->resize(size);
    if (!QTest::qWaitForWindowExposed(preview->window()))
        return false;
    QTest::qWait(100);
    return preview->window()->grab().save(file);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: preview_screenshots <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    testsupport::TempDir dir;
    const std::string book = dir.file("invoices.xlsx");
    const std::string table = dir.file("customers.dbf");
    if (!writeWorkbook(book))
        return 1;
    testsupport::writeFile(table, tableBytes());
    const QString readme = QDir(qEnvironmentVariable("LEDGERLINE_RESOURCES")).filePath("readme.txt");

    PreviewWindows previews;
    bool ok = save(previews.showPreview(QString::fromStdString(book), 0), out.filePath("preview-xls.png"), {820, 460});
    ok = save(previews.showPreview(QString::fromStdString(table), 10), out.filePath("preview-dbf.png"), {820, 460}) && ok;
    ok = save(previews.showPreview(readme, -1), out.filePath("preview-text.png"), {760, 520}) && ok;
    std::printf("%s\n", ok ? "screenshots saved" : "a screenshot failed");
    return ok ? 0 : 1;
}
