// The source tree: adding (panel and drop), removing, rows and columns.

#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUrl>
#include <QtTest>

#include "test_registry.h"
#include "ui/window/source_tree.h"
#include "window_fixture.h"

namespace {

// Sends a drag and a drop of these paths to the window; answers whether
// the drop was taken.
bool dropOn(QWidget* window, const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    QPoint middle = window->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    QDropEvent drop(QPointF(middle), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    bool taken = drop.isAccepted();
    delete data;
    return taken;
}

QStringList fileNames(SourceTree& tree)
{
    QStringList names;
    for (const FileAndTables& file : tree.files())
        names.append(file.filename);
    return names;
}

} // namespace

class SourceTreeTest : public QObject {
    Q_OBJECT
private slots:
    void addingKeepsOneRecordPerPathString()
    {
        WindowFixture window;
        SourceTree& tree = window.app->sourceTree();
        QVERIFY(tree.addFile(QStringLiteral("/books/a.xlsx")));
        QVERIFY(!tree.addFile(QStringLiteral("/books/a.xlsx")));
        QVERIFY(tree.addFile(QStringLiteral("/books/../books/a.xlsx"))); // another string, another record
        QCOMPARE(tree.files().size(), 2);
        QCOMPARE(tree.files().first().tables, QStringList({"A1", "A2", "A3"}));
    }

    void addedFilesJoinTheSelection()
    {
        WindowFixture window;
        SourceTree& tree = window.app->sourceTree();
        window.addFiles({QStringLiteral("/books/a.xlsx")});
        tree.view()->expand(tree.model().fileIndex(0));
        tree.selectRows({2}); // table A2
        window.addFiles({QStringLiteral("/books/b.xlsx"), QStringLiteral("/books/a.xlsx"),
                         QStringLiteral("/books/c.xlsx"), QStringLiteral("/books/d.xls")});
        // a (expanded: rows 0-3), then the new b, c, d at rows 4, 5, 6; a again is refused.
        QCOMPARE(tree.selectedRows(), QList<int>({2, 4, 5, 6}));
        QCOMPARE(tree.rowCount(), 7);
    }

    void dropsTakeAcceptedExtensionsOnly_data()
    {
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QStringList>("files");
        const QString a = QStringLiteral("/books/a.xlsx");
        QTest::newRow("capital extension") << QStringList{"/books/B.XLSX"} << true << QStringList{a, "/books/B.XLSX"};
        QTest::newRow("other files skipped") << QStringList{"/books/notes.txt", "/books/c.xls"} << true
                                             << QStringList{a, "/books/c.xls"};
        QTest::newRow("nothing acceptable") << QStringList{"/books/notes.txt", "/books/folder"} << false
                                            << QStringList{a};
        QTest::newRow("only duplicates") << QStringList{a} << true << QStringList{a};
    }

    void dropsTakeAcceptedExtensionsOnly()
    {
        QFETCH(QStringList, dropped);
        QFETCH(bool, taken);
        QFETCH(QStringList, files);
        WindowFixture window;
        window.addFiles({QStringLiteral("/books/a.xlsx")});
        QCOMPARE(dropOn(&window.app->window(), dropped), taken);
        QCOMPARE(fileNames(window.app->sourceTree()), files);
    }

    void removingTakesFileRowsOnly()
    {
        WindowFixture window;
        SourceTree& tree = window.app->sourceTree();
        window.addFiles({QStringLiteral("/books/a.xlsx"), QStringLiteral("/books/b.xlsx"),
                         QStringLiteral("/books/c.xlsx")});
        tree.view()->expand(tree.model().fileIndex(0));
        tree.selectRows({1, 3}); // tables A1 and A3
        tree.RemoveItem();
        QCOMPARE(tree.files().size(), 3);
        QVERIFY(tree.selectedRows().isEmpty());

        tree.selectRows({2, 5}); // table A2 and file c
        tree.RemoveItem();
        QCOMPARE(fileNames(tree), QStringList({"/books/a.xlsx", "/books/b.xlsx"}));
        QVERIFY(tree.view()->isExpanded(tree.model().fileIndex(0))); // the others keep their state
    }

    void rowsAndColumns()
    {
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("c.xlsx"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("12345");
        file.close();

        WindowFixture window;
        SourceTree& tree = window.app->sourceTree();
        window.addFiles({path, QStringLiteral("/gone/unreadable.xls")});
        const SourceTreeModel& model = tree.model();
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Filename"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Path"));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Size"));
        QModelIndex book = model.fileIndex(0);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("c.xlsx"));
        QCOMPARE(model.index(0, 1).data().toString(), dir.path());
        QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("5"));
        QCOMPARE(model.index(1, 2).data().toString(), QStringLiteral("0")); // missing file
        QCOMPARE(model.index(0, 0, book).data().toString(), QStringLiteral("C1"));
        QCOMPARE(model.index(0, 1, book).data().toString(), QString());
        QVERIFY(model.hasChildren(book));
        QVERIFY(!model.hasChildren(model.fileIndex(1))); // unreadable: no tables, no expansion
        QVERIFY(!(model.flags(book) & Qt::ItemIsEditable));
    }

    void doubleClickPreviewsFileRowsOnly()
    {
        WindowFixture window;
        SourceTree& tree = window.app->sourceTree();
        window.addFiles({QStringLiteral("/books/a.xlsx")});
        QSignalSpy previews(&tree, &SourceTree::previewRequested);
        QModelIndex book = tree.model().fileIndex(0);
        tree.fileDoubleClick(tree.model().index(1, 0, book));
        QCOMPARE(previews.count(), 0);
        tree.fileDoubleClick(book);
        QCOMPARE(previews.count(), 1);
        QCOMPARE(previews.first().first().toString(), QStringLiteral("/books/a.xlsx"));
    }
};

REGISTER_WINDOW_TEST(SourceTreeTest);
#include "source_tree_test.moc"
