// Which requests a selection makes: one per source file, with the tables
// that the selected rows mean.

#include <QTreeView>
#include <QtTest>

#include "options/my_options.h"
#include "test_registry.h"
#include "ui/window/source_tree.h"
#include "window_fixture.h"

using Rows = QList<int>;

class RunRequestsTest : public QObject {
    Q_OBJECT
private slots:
    void selectionMakesRequests_data()
    {
        QTest::addColumn<QStringList>("files");     // added in this order
        QTest::addColumn<Rows>("expandedFiles");    // by file index
        QTest::addColumn<Rows>("selectedRows");     // rows as shown after expanding
        QTest::addColumn<QStringList>("onlytables"); // the -table= list; empty for none
        QTest::addColumn<QStringList>("requests");

        const QStringList abc{"a.xlsx", "b.xlsx", "c.xlsx"};
        // Rows with a expanded: 0 a, 1 A1, 2 A2, 3 A3, 4 b, 5 c.
        // Rows with a and b expanded: 0 a, 1 A1, 2 A2, 3 A3, 4 b, 5 B1, 6 B2, 7 c.
        QTest::newRow("collapsed file: its own table list")
            << abc << Rows{} << Rows{0} << QStringList{} << QStringList{"a.xlsx:A1,A2,A3"};
        QTest::newRow("two collapsed files: two requests in row order")
            << abc << Rows{} << Rows{0, 2} << QStringList{} << QStringList{"a.xlsx:A1,A2,A3", "c.xlsx:C1"};
        QTest::newRow("expanded file, no table selected: every table")
            << abc << Rows{0} << Rows{0} << QStringList{} << QStringList{"a.xlsx:"};
        QTest::newRow("expanded file with two selected tables: one request")
            << abc << Rows{0} << Rows{0, 1, 3} << QStringList{} << QStringList{"a.xlsx:A1,A3"};
        QTest::newRow("table rows without their file row")
            << abc << Rows{0} << Rows{2, 3} << QStringList{} << QStringList{"a.xlsx:A2,A3"};
        QTest::newRow("table rows of two files")
            << abc << Rows{0, 1} << Rows{1, 6} << QStringList{} << QStringList{"a.xlsx:A1", "b.xlsx:B2"};
        QTest::newRow("expanded file then a collapsed one")
            << abc << Rows{0} << Rows{0, 4} << QStringList{} << QStringList{"a.xlsx:", "b.xlsx:B1,B2"};
        QTest::newRow("tables of a file, then its neighbour's file row")
            << abc << Rows{0, 1} << Rows{3, 4, 6} << QStringList{} << QStringList{"a.xlsx:A3", "b.xlsx:B2"};
        QTest::newRow("onlytables replaces every list")
            << abc << Rows{0} << Rows{1, 4} << QStringList{"Sheet2"}
            << QStringList{"a.xlsx:Sheet2", "b.xlsx:Sheet2"};
        QTest::newRow("a single row is selected by the start button")
            << QStringList{"c.xlsx"} << Rows{} << Rows{} << QStringList{} << QStringList{"c.xlsx:C1"};
    }

    void selectionMakesRequests()
    {
        QFETCH(QStringList, files);
        QFETCH(Rows, expandedFiles);
        QFETCH(Rows, selectedRows);
        QFETCH(QStringList, onlytables);
        QFETCH(QStringList, requests);

        WindowFixture window;
        SourceTree& tree = window.app->sourceTree();
        QStringList paths;
        for (const QString& name : files)
            paths.append(QStringLiteral("/books/") + name);
        window.addFiles(paths);
        for (int file : expandedFiles)
            tree.view()->expand(tree.model().fileIndex(file));
        tree.selectRows(selectedRows);
        if (!onlytables.isEmpty())
            window.app->options().setOnlytables(onlytables);
        window.setOutput(QStringLiteral("/out/"));

        QVERIFY(window.startRun());
        QVERIFY(window.waitForRunEnd());
        QCOMPARE(window.fake->requests(), requests);
        QVERIFY(!window.app->options().onlytables().has_value());
        QCOMPARE(window.startButtonText(), QStringLiteral("Restart"));
    }
};

REGISTER_WINDOW_TEST(RunRequestsTest);
#include "run_requests_test.moc"
