#include "help_addresses.h"

#include <QSysInfo>

QString helpURL(const QString& site, const QString& moduleName)
{
    return QStringLiteral("%1/machelp/machelp.php?product=%2").arg(site, moduleName);
}

QString homepageURL(const QString& site, const QString& moduleName)
{
    return QStringLiteral("%1/%2mac/").arg(site, moduleName);
}

QString supportSubject(const QString& windowTitle, const QString& platform, const QString& version)
{
    return QStringLiteral("%1 (%2) Version %3").arg(windowTitle, platform, version);
}

QString supportMailLink(const QString& address, const QString& subject)
{
    QString link = QStringLiteral("mailto:%1?Subject=%2").arg(address, subject);
    link.replace(QLatin1Char(' '), QLatin1String("%20"));
    return link;
}

QString platformName()
{
    QString kernel = QSysInfo::kernelType();
    if (!kernel.isEmpty())
        kernel[0] = kernel[0].toUpper();
    return kernel;
}
