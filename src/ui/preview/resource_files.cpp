#include "resource_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUiLoader>
#include <QWidget>

QString resourceFilePath(const QString& fileName)
{
    if (fileName.isEmpty())
        return {};
    QStringList folders;
    const QString named = qEnvironmentVariable("LEDGERLINE_RESOURCES");
    if (!named.isEmpty())
        folders << named;
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty())
        folders << exeDir + QStringLiteral("/resources") << exeDir + QStringLiteral("/../share/ledgerline");
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

std::unique_ptr<QWidget> loadInterfaceFile(const QString& name)
{
    const QString path = resourceFilePath(name + QStringLiteral(".ui"));
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        qWarning("Couldn't load interface file named %s", qPrintable(name));
        return nullptr;
    }
    QUiLoader loader;
    std::unique_ptr<QWidget> widget(loader.load(&file, nullptr));
    if (!widget)
        qWarning("Couldn't load interface file named %s: %s", qPrintable(name), qPrintable(loader.errorString()));
    return widget;
}
