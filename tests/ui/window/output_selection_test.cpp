// The output box's history, the chosen folder's form, and the list of
// written files.

#include <QComboBox>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "options/my_options.h"
#include "test_registry.h"
#include "ui/window/output_chooser.h"
#include "ui/window/output_selection.h"
#include "window_fixture.h"

namespace {
QStringList numbered(int from, int to)
{
    QStringList values;
    for (int i = from; i <= to; ++i)
        values.append(QStringLiteral("/out/%1/").arg(i));
    return values;
}
} // namespace

class OutputSelectionTest : public QObject {
    Q_OBJECT
private slots:
    void historyRules_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("history");
        QStringList twenty = numbered(1, 20);
        QStringList newestFirst;
        for (const QString& value : twenty)
            newestFirst.prepend(value);

        QStringList dropOldest = newestFirst.mid(0, 19);
        dropOldest.prepend(QStringLiteral("/out/21/"));
        QTest::newRow("21st entry drops the oldest") << numbered(1, 21) << dropOldest;

        QStringList fifthOnTop = newestFirst;
        fifthOnTop.move(4, 0);
        QTest::newRow("reuse moves to the top") << twenty + QStringList{newestFirst[4]} << fifthOnTop;
        QTest::newRow("the same text twice is kept once")
            << QStringList{"/out/a.dbf", "/out/a.dbf"} << QStringList{"/out/a.dbf"};
        QTest::newRow("case counts") << QStringList{"/out/A.dbf", "/out/a.dbf"}
                                     << QStringList{"/out/a.dbf", "/out/A.dbf"};
    }

    void historyRules()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, history);
        WindowFixture window;
        OutputSelection& output = window.app->output();
        for (const QString& value : added)
            output.AddItem(value);
        QCOMPARE(output.items(), history);
        QCOMPARE(output.text(), added.last());
    }

    void confirmedTextEntersTheHistory()
    {
        WindowFixture window;
        OutputSelection& output = window.app->output();
        QComboBox* box = window.app->window().outlets().outputName;
        box->setEditText(QString());
        output.outputChanged();
        QVERIFY(output.items().isEmpty());
        box->setEditText(QStringLiteral("/typed/out.dbf"));
        output.outputChanged();
        QCOMPARE(output.items(), QStringList{"/typed/out.dbf"});
    }

    void chosenFolderEndsWithSlash()
    {
        QTemporaryDir dir;
        QCOMPARE(outputPathForChoice(dir.path()), dir.path() + u'/');
        QCOMPARE(outputPathForChoice(dir.path() + u'/'), dir.path() + u'/');
        QString file = dir.filePath(QStringLiteral("all.dbf"));
        QCOMPARE(outputPathForChoice(file), file); // a new file stays as named
    }

    void writtenFilesOpenAndPreview()
    {
        WindowFixture window;
        OutputSelection& output = window.app->output();
        QStringList opened;
        output.setFileOpener([&](const QString& path) { opened.append(path); });
        window.app->options().addTarget(QStringLiteral("/out/A.dbf"));
        window.app->options().addTarget(QStringLiteral("/out/B.dbf"));
        window.app->options().addTarget(QStringLiteral("/out/A.dbf"));
        output.reloadWrittenFiles();
        QCOMPARE(output.writtenFiles().rowCount(), 2);

        QTableView* table = window.app->window().outlets().outputTable;
        output.didDoubleClickFolderRow(); // no row selected
        QVERIFY(opened.isEmpty());
        table->setCurrentIndex(output.writtenFiles().index(1, 0));
        output.didDoubleClickFolderRow();
        QCOMPARE(opened, QStringList{"/out/B.dbf"});

        window.app->options().setTargetCharset(42);
        QSignalSpy previews(&output, &OutputSelection::previewRequested);
        output.PreviewOutputFile(2); // beyond the list
        QCOMPARE(previews.count(), 0);
        output.PreviewOutputFile(0);
        QCOMPARE(previews.count(), 1);
        QCOMPARE(previews.first().at(0).toString(), QStringLiteral("/out/A.dbf"));
        QCOMPARE(previews.first().at(1).toInt(), 42);
    }
};

REGISTER_WINDOW_TEST(OutputSelectionTest);
#include "output_selection_test.moc"
