#include "nib_loader.h"

#include <QDir>
#include <QFile>
#include <QUiLoader>
#include <QWidget>
#include <QtDebug>

#include "ui/resources.h"

QWidget* loadWithNibNamed(const QString& name, QWidget* owner)
{
    QWidget* view = nullptr;
    QString path = resourcePath(name + QStringLiteral(".ui"));
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
        QUiLoader loader;
        loader.setWorkingDirectory(QDir(resourcesDir()));
        view = loader.load(&file, owner);
    }
    if (!view)
        qWarning().noquote() << QStringLiteral("Couldn't load nib named %1").arg(name);
    return view;
}
