#include "xls_dbf_module.h"

#include <QVariant>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "c_locale.h"
#include "cell_text.h"
#include "module/dbf/xbtable.h"
#include "module/text/text_ops.h"
#include "open_book.h"
#include "options/my_options.h"
#include "shell/converter_shell.h"
#include "table_layout.h"

XlsDbfModule::XlsDbfModule(myOptions& options, ConverterShell& shell) : options_(options), shell_(shell) {}

QStringList XlsDbfModule::getSourceFiles() const
{
    return {QStringLiteral("xls"), QStringLiteral("xlsx")};
}

QString XlsDbfModule::getdefaultExtension() const
{
    return QStringLiteral("dbf");
}

QString XlsDbfModule::titleForWindow() const
{
    return QStringLiteral("Ledgerline");
}

QString XlsDbfModule::moduleName() const
{
    return QStringLiteral("ledgerline");
}

QString XlsDbfModule::initializeConverter(const QList<QObject*>& controls)
{
    // Neither the table-overwrite choice nor the source character set means
    // anything for workbooks.
    for (qsizetype i = 0; i < controls.size() && i < 2; ++i)
        if (controls[i])
            controls[i]->setProperty("visible", false);
    options_.setOutputFile(std::nullopt);
    options_.setSeparateFiles(1);
    options_.setOverwriteFile(0);
    options_.setTypeOfFile(0);
    options_.setTargetCharset(10);
    options_.setBlockSize(5);
    options_.setRemoveCRLF(1);
    options_.setRemoveSpaces(0);
    return moduleName();
}

QStringList XlsDbfModule::getTables(const QString& path)
{
    // The names are all a list of tables needs; reading every cell of a
    // big workbook here would double the time of a batch run.
    OpenBook book(path);
    if (!book.loadInfo())
        return {};
    QStringList names;
    int count = xlBookSheetCountA(book.handle());
    for (int i = 0; i < count; ++i)
        names.append(QString::fromUtf8(xlSheetNameA(xlBookGetSheetA(book.handle(), i))));
    return names;
}

char XlsDbfModule::GetDbfType(int cellType) const
{
    return ::GetDbfType(cellType, ConversionSettings::from(options_));
}

QString XlsDbfModule::applyOptions(const QString& text) const
{
    std::string utf8 = text.toStdString();
    std::string scratch;
    auto result = ll::text::applyTextOptions(utf8, options_.removeSpaces(), options_.removeCRLF(), scratch);
    return QString::fromUtf8(result.data(), qsizetype(result.size()));
}

bool XlsDbfModule::CreateOutDBF(SheetHandle sheet)
{
    return ::CreateOutDBF(sheet, ConversionSettings::from(options_), options_.target().value_or(QString()).toStdString(),
                          options_.xchg().value_or(QStringList()));
}

bool XlsDbfModule::convertFile(const QString& path, QStringList& tables)
{
    CLocaleScope numbersWithPoints;
    OpenBook book(path);
    if (!book.handle()) {
        shell_.CantOpenFileMessage(path);
        return true;
    }
    shell_.TryToLoadFile(path);
    if (!book.load()) {
        shell_.CantOpenFileMessage(path);
        return true;
    }
    ConversionSettings settings = ConversionSettings::from(options_);
    for (int i = 0; i < xlBookSheetCountA(book.handle()); ++i) {
        SheetHandle sheet = xlBookGetSheetA(book.handle(), i);
        QString name = QString::fromUtf8(xlSheetNameA(sheet));
        if (!tables.isEmpty() && !tables.contains(name))
            continue;
        int decision = shell_.prepareTarget(path, name);
        if (decision == kTargetSkip) {
            shell_.SkipFileMessage(path);
            continue;
        }
        if (decision == kTargetStop)
            return false;
        switch (convertSheet(book.handle(), sheet, QStringLiteral("%1 [%2]").arg(path, name), settings)) {
        case SheetResult::Done:
            break;
        case SheetResult::OutputFailed:
            return true; // the workbook's remaining sheets are not written
        case SheetResult::Cancelled:
            return false;
        }
    }
    return true;
}

XlsDbfModule::SheetResult XlsDbfModule::convertSheet(BookHandle book, SheetHandle sheet, const QString& description,
                                                     const ConversionSettings& settings)
{
    int rows = xlSheetLastRowA(sheet);
    shell_.StartConvertMessage(description, rows);

    std::string target = options_.target().value_or(QString()).toStdString();
    auto table = std::make_unique<xbtable>();
    table->setEncoding(settings.charsetCode);
    std::error_code ignored;
    if (!std::filesystem::exists(target, ignored))
        ::CreateOutDBF(sheet, settings, target, options_.xchg().value_or(QStringList()));
    // A table that opens only for reading (a read-only file) would take
    // no record: it is an output that cannot be written.
    if (!table->openDBFfile(target) || !table->isWritable()) {
        shell_.CantCreateOutputMessage();
        return SheetResult::OutputFailed;
    }
    options_.addTarget(QString::fromStdString(target));

    if (settings.firstLine != 0)
        shell_.incProgressMessage(); // the header row
    CellText cell(book, settings);
    for (int r = int(settings.firstDataRow()); r < rows; ++r) {
        if (options_.shouldBreak())
            return SheetResult::Cancelled; // the records so far stay in the table
        shell_.incProgressMessage();
        table->clearRecord();
        // Taken again for every row, as a sheet's extent may differ by row
        // in other readers.
        int columns = columnCount(sheet);
        for (int c = 0; c < columns; ++c) {
            if (!cell.read(sheet, r, c))
                continue;
            bool memo = table->isMemoField(c);
            table->setField(c, cell.text(), memo ? 0.0 : cell.leadingNumber());
        }
        table->appendRecord(0);
        if (pauseSmallSheets_ && rows < kPausedSheetRows)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // Closed first, so that the size in the log is the size on disk.
    table.reset();
    shell_.finishMessage(rows);
    return SheetResult::Done;
}
