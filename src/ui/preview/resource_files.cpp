#include "resource_files.h"

#include <QFile>
#include <QFileInfo>
#include <QUiLoader>
#include <QWidget>

#include "ui/resources.h"

QString resourceFilePath(const QString& fileName)
{
    if (fileName.isEmpty())
        return {};
    const QString path = resourcePath(fileName);
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

std::unique_ptr<QWidget> loadInterfaceFile(const QString& name)
{
    QFile file(resourceFilePath(name + QStringLiteral(".ui")));
    std::unique_ptr<QWidget> widget;
    if (!file.fileName().isEmpty() && file.open(QIODevice::ReadOnly))
        widget.reset(QUiLoader().load(&file, nullptr));
    if (!widget)
        qWarning("Couldn't load nib named %s", qPrintable(name));
    return widget;
}
