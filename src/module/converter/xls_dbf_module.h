#pragma once
// The workbook-to-DBF converter module: lists a workbook's sheets and
// converts each wanted sheet into a DBF table, one record per row.

#include <QString>
#include <QStringList>

#include "conversion_settings.h"
#include "module/xl/xl_api.h"
#include "shell/converter_module.h"

class ConverterShell;
class myOptions;

class XlsDbfModule : public ConverterModule {
public:
    XlsDbfModule(myOptions& options, ConverterShell& shell);

    QStringList getSourceFiles() const override;
    QString getdefaultExtension() const override;
    QString initializeConverter(const QList<QObject*>& controls) override;
    QString titleForWindow() const override;
    QStringList getTables(const QString& path) override;
    QString moduleName() const override;
    bool convertFile(const QString& path, QStringList& tables) override;

    // The module's own operations, over the shared options record.
    char GetDbfType(int cellType) const;
    QString applyOptions(const QString& text) const;
    // Creates the table of a sheet of an open book at the options' target.
    bool CreateOutDBF(SheetHandle sheet);

    // Sheets with fewer rows pause 1 ms after each record, so that a small
    // sheet's progress can be seen at all.
    static constexpr int kPausedSheetRows = 500;
    // Fuzzing and benchmarks turn the pause off.
    void setSmallSheetPause(bool on) { pauseSmallSheets_ = on; }

private:
    enum class SheetResult { Done, OutputFailed, Cancelled };
    SheetResult convertSheet(BookHandle book, SheetHandle sheet, const QString& description,
                             const ConversionSettings& settings);

    myOptions& options_;
    ConverterShell& shell_;
    bool pauseSmallSheets_ = true;
};
