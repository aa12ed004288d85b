#pragma once
// Loads the module's options view the way the window does: the .ui file
// from the resources folder, through QUiLoader.

#include <QFile>
#include <QUiLoader>
#include <QWidget>

#include <memory>

#include "support/test_support.h"

namespace optionstest {

inline QString resourcesFolder()
{
    QByteArray fromTest = qgetenv("LEDGERLINE_RESOURCES");
    if (!fromTest.isEmpty())
        return QString::fromLocal8Bit(fromTest);
    return QString::fromStdString((testsupport::sourceDir() / "resources").string());
}

inline std::unique_ptr<QWidget> loadOptionsView()
{
    QFile file(resourcesFolder() + "/ledgerline.ui");
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QUiLoader loader;
    return std::unique_ptr<QWidget>(loader.load(&file));
}

} // namespace optionstest
