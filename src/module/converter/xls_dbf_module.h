#pragma once
// The workbook-to-DBF converter module: lists a workbook's sheets and
// converts each wanted sheet into a DBF table, one record per row.

#include <QString>
#include <QStringList>

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

private:
    myOptions& options_;
    ConverterShell& shell_;
};
