// Takes the README's pictures of the real window: the three pages with two
// sample workbooks listed, and a finished run. Usage:
//   window_screenshots <picture folder> <scratch folder>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

#include "support/xlsx_builder.h"
#include "ui/window/app_delegate.h"
#include "ui/window/conversion_run.h"
#include "ui/window/output_selection.h"
#include "ui/window/source_tree.h"

namespace {

using testsupport::XlsxBuilder;

bool writeSamples(const QString& folder)
{
    XlsxBuilder sales;
    sales.sheet("Customers");
    const char* names[] = {"Alder & Sons", "Birchwood Ltd", "Cedar Supplies", "Dunmore Foods", "Elm Street Café"};
    for (int row = 0; row < 5; ++row)
        sales.number(row, 0, 1001 + row).text(row, 1, names[row]).number(row, 2, 1500.5 * (row + 1));
    sales.sheet("Orders");
    int dateStyle = sales.style(14);
    for (int row = 0; row < 40; ++row)
        sales.number(row, 0, 5000 + row).number(row, 1, 45292 + row, dateStyle).number(row, 2, 12.75 * (row % 7 + 1));
    sales.sheet("Products");
    for (int row = 0; row < 12; ++row)
        sales.text(row, 0, "P-" + std::to_string(100 + row)).boolean(row, 1, row % 3 != 0);
    XlsxBuilder stock;
    stock.sheet("Warehouse");
    for (int row = 0; row < 25; ++row)
        stock.text(row, 0, "Shelf " + std::to_string(row + 1)).number(row, 1, row * 4);
    return sales.save((folder + "/sales-2024.xlsx").toStdString()) &&
           stock.save((folder + "/stock.xlsx").toStdString());
}

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QEventLoop pause;
        QTimer::singleShot(20, &pause, &QEventLoop::quit);
        pause.exec();
    }
}

bool save(QWidget& window, const QString& path)
{
    settle();
    bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_screenshots <picture folder> <scratch folder>\n");
        return 2;
    }
    QString pictures = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QString scratch = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir(scratch).removeRecursively();
    QString books = scratch + QStringLiteral("/books");
    QString tables = scratch + QStringLiteral("/dbf");
    if (!QDir().mkpath(books) || !QDir().mkpath(tables) || !QDir().mkpath(pictures) || !writeSamples(books))
        return 1;
    qputenv("XDG_CONFIG_HOME", (scratch + QStringLiteral("/config")).toLocal8Bit());

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ledgerline"));
    QApplication::setApplicationName(QStringLiteral("Ledgerline"));
    AppDelegate delegate;
    delegate.setTerminate([](int) {});
    delegate.applicationDidFinishLaunching({QStringLiteral("ledgerline")});
    QWidget& window = delegate.window();
    window.resize(760, 540);

    SourceTree& tree = delegate.sourceTree();
    tree.addPaths({books + QStringLiteral("/sales-2024.xlsx"), books + QStringLiteral("/stock.xlsx")});
    tree.view()->expand(tree.model().fileIndex(0));
    tree.selectRows({0, 4});
    delegate.output().AddItem(tables + u'/');

    QTabWidget* tabs = delegate.window().outlets().tabControl;
    bool ok = true;
    const char* pages[] = {"input.png", "output.png", "options.png"};
    for (int page = 0; page < 3; ++page) {
        tabs->setCurrentIndex(page);
        ok = save(window, pictures + u'/' + QLatin1String(pages[page])) && ok;
    }

    QEventLoop finished;
    QObject::connect(&delegate.run(), &ConversionRun::runFinished, &finished, &QEventLoop::quit);
    delegate.run().startConversion();
    finished.exec();
    window.resize(760, 540);
    ok = save(window, pictures + QStringLiteral("/run.png")) && ok;
    return ok ? 0 : 1;
}
