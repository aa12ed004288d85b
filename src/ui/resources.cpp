#include "resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString resourcesDir()
{
    QStringList candidates;
    QString fromEnvironment = qEnvironmentVariable("LEDGERLINE_RESOURCES");
    if (!fromEnvironment.isEmpty())
        candidates << fromEnvironment;
    QString programDir = QCoreApplication::applicationDirPath();
    if (!programDir.isEmpty())
        candidates << programDir + QStringLiteral("/resources") << programDir + QStringLiteral("/../share/ledgerline");
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    return {};
}

QString resourcePath(const QString& name)
{
    QString dir = resourcesDir();
    return dir.isEmpty() ? QString() : dir + u'/' + name;
}
