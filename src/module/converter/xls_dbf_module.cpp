#include "xls_dbf_module.h"

#include <QVariant>

#include "module/xl/xl_api.h"
#include "options/my_options.h"
#include "shell/converter_shell.h"

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
    return {};
}

bool XlsDbfModule::convertFile(const QString& path, QStringList& tables)
{
    return true;
}
