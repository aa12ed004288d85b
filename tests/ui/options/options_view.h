#pragma once
// Loads the module's options view the way the window does: the .ui file
// from the resources folder, through QUiLoader; and puts it in a window of
// stand-in parts with a panel over both.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QRadioButton>
#include <QUiLoader>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

#include "fake_window.h"
#include "options/my_options.h"
#include "support/test_support.h"
#include "ui/options/options_panel.h"
#include "ui/tagged_views.h"

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

// A radio group whose buttons carry the given tags, in row order.
inline QWidget* radioGroup(QWidget* parent, const QList<int>& tags)
{
    auto* group = new QWidget(parent);
    auto* layout = new QVBoxLayout(group);
    for (int tag : tags) {
        auto* button = new QRadioButton(QString::number(tag), group);
        button->setProperty("tag", tag);
        layout->addWidget(button);
    }
    return group;
}

// The window's parts around a freshly loaded view, with the 100 character
// sets listed as at start-up. Uses its own record unless given one.
struct Window {
    explicit Window(myOptions* shared = nullptr) : options(shared ? *shared : own)
    {
        if (!view)
            qFatal("the options view cannot be loaded");
        for (QComboBox* box : {popUp(60), srcCharset}) {
            box->clear();
            for (int i = 0; i < 100; ++i)
                box->addItem(QString::number(i), i);
        }
    }
    QComboBox* popUp(int tag) const { return qobject_cast<QComboBox*>(nestedView(view.get(), tag)); }

    myOptions own;
    myOptions& options;
    std::unique_ptr<QWidget> view = loadOptionsView();
    QWidget outlets;
    QCheckBox* separateFile = new QCheckBox(&outlets);
    QWidget* overFiles = radioGroup(&outlets, {0, 1, 2, 3, 4});
    QWidget* overTables = radioGroup(&outlets, {0, 1, 2, 3, 4});
    QComboBox* srcCharset = new QComboBox(&outlets);
    FakeOutputHistory output;
    OptionsPanel panel{options, {view.get(), separateFile, overFiles, overTables, srcCharset, &output}};
};

} // namespace optionstest
