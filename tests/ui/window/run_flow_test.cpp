// A run as the user drives it: a real workbook end to end, the overwrite
// question, cancel and restart, the close rules and the start warnings.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "options/my_options.h"
#include "support/xlsx_builder.h"
#include "test_registry.h"
#include "ui/window/conversion_run.h"
#include "ui/window/output_selection.h"
#include "ui/window/written_files_model.h"
#include "window_fixture.h"

namespace {

// book.xlsx with one sheet "Sheet1" of two rows, in dir.
QString writeBook(const QTemporaryDir& dir)
{
    testsupport::XlsxBuilder builder;
    builder.sheet("Sheet1").text(0, 0, "alpha").number(0, 1, 1).text(1, 0, "beta").number(1, 1, 2);
    QString path = dir.filePath(QStringLiteral("book.xlsx"));
    return builder.save(path.toStdString()) ? path : QString();
}

void chooseFileAction(WindowFixture& window, int code)
{
    for (QRadioButton* button : window.app->window().outlets().overFiles->findChildren<QRadioButton*>())
        if (button->property("tag").toInt() == code)
            button->setChecked(true);
    window.app->options().setOverwriteFile(code);
}

} // namespace

class RunFlowTest : public QObject {
    Q_OBJECT
private slots:
    void convertsAWorkbookEndToEnd()
    {
        QTemporaryDir dir;
        QString book = writeBook(dir);
        QVERIFY(!book.isEmpty());
        QString out = dir.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(out));

        WindowFixture window(WindowFixture::Module::Workbook);
        window.addFiles({book});
        window.setOutput(out + u'/');
        QVERIFY(window.startRun());
        QVERIFY(!window.app->window().outlets().startButton->isEnabled());
        QVERIFY(window.waitForRunEnd());

        QString target = out + QStringLiteral("/Sheet1.dbf");
        QVERIFY(QFile::exists(target));
        QString log = window.logText();
        QVERIFY2(log.contains(QStringLiteral("Loading the file: %1").arg(book)), qPrintable(log));
        QVERIFY2(log.contains(QStringLiteral("Start converting: %1 [Sheet1] -> %2").arg(book, target)), qPrintable(log));
        QVERIFY2(log.contains(QStringLiteral("Done, 2 records")), qPrintable(log));
        QCOMPARE(window.app->output().writtenFiles().pathAt(0), target);
        QCOMPARE(window.app->window().windowTitle(), QStringLiteral("Ledgerline")); // no percentage left
        QCOMPARE(window.startButtonText(), QStringLiteral("Restart"));
    }

    void overwriteQuestion_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("logPart");
        QTest::addColumn<QString>("newFile");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("Cancel stops the run") << "Cancel" << "\nCancelled\n" << "" << true;
        QTest::newRow("Skip") << "Skip" << "Skipped: " << "" << false;
        QTest::newRow("Create unique name") << "Create unique name" << "Done, 2 records" << "Sheet1.1.dbf" << false;
        QTest::newRow("Overwrite") << "Overwrite" << "Done, 2 records" << "" << false;
    }

    void overwriteQuestion()
    {
        QFETCH(QString, button);
        QFETCH(QString, logPart);
        QFETCH(QString, newFile);
        QFETCH(bool, cancelled);
        QTemporaryDir dir;
        QString book = writeBook(dir);
        QString target = dir.filePath(QStringLiteral("Sheet1.dbf"));
        QFile existing(target);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("not a table");
        existing.close();

        WindowFixture window(WindowFixture::Module::Workbook);
        window.addFiles({book});
        window.setOutput(dir.path() + u'/');
        chooseFileAction(window, 4);
        MessageBoxAnswer answer(button);
        QVERIFY(window.startRun());
        QVERIFY(window.waitForRunEnd());

        QCOMPARE(answer.seen().size(), 1);
        QCOMPARE(answer.seen().first(), QStringLiteral("The output file already exists. Select the action.|%1 [Sheet1] -> %2\n")
                                            .arg(book, target));
        QString log = window.logText();
        QVERIFY2(log.contains(logPart), qPrintable(log));
        QCOMPARE(log.endsWith(QStringLiteral("\nCancelled\n")), cancelled);
        QCOMPARE(window.app->run().cancelled(), cancelled);
        if (!newFile.isEmpty())
            QVERIFY(QFile::exists(dir.filePath(newFile)));
    }

    void questionButtonsInOrder()
    {
        WindowFixture window;
        QStringList titles;
        QTimer::singleShot(50, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            QList<QAbstractButton*> buttons = box->buttons();
            std::sort(buttons.begin(), buttons.end(), [](QAbstractButton* left, QAbstractButton* right) {
                return left->mapToGlobal(QPoint()).x() < right->mapToGlobal(QPoint()).x();
            });
            for (QAbstractButton* button : buttons)
                titles.append(button->text());
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("Cancel"));
            box->defaultButton()->click();
        });
        QCOMPARE(window.app->view().askForAction(QStringLiteral("a [S]"), QStringLiteral("/out/S.dbf"), false), 4);
        QCOMPARE(titles, QStringList({"Cancel", "Create unique name", "Skip", "Use", "Overwrite"}));
    }

    void closeProgramDuringARunCancelsAndRestartClears()
    {
        WindowFixture window;
        window.addFiles({QStringLiteral("/books/a.xlsx"), QStringLiteral("/books/b.xlsx")});
        window.setOutput(QStringLiteral("/out/"));
        window.fake->setGateOpen(false);
        QVERIFY(window.startRun());
        QTRY_VERIFY(window.fake->waitingAtGate());
        QVERIFY(window.app->run().inProgress());

        QVERIFY(!window.app->window().close()); // refused while running
        window.app->closeProgram();            // only asks the run to stop
        QVERIFY(window.terminations.isEmpty());
        QVERIFY(window.app->options().shouldBreak());
        window.fake->setGateOpen(true);
        QVERIFY(window.waitForRunEnd());

        QCOMPARE(window.fake->requests(), QStringList({"a.xlsx:A1,A2,A3"})); // b was not started
        QVERIFY(window.logText().endsWith(QStringLiteral("\nCancelled\n")));
        QVERIFY(window.app->run().cancelled());

        window.app->options().setDeletedFile(QStringLiteral("/out/A1.dbf"));
        window.app->window().outlets().startButton->click(); // "Restart"
        QCOMPARE(window.startButtonText(), QStringLiteral("Next"));
        QCOMPARE(window.currentPage(), QStringLiteral("Input"));
        QVERIFY(!window.app->options().shouldBreak());
        QVERIFY(!window.app->options().deletedFile().has_value());
        QVERIFY(window.logText().endsWith(QStringLiteral("\nCancelled\n"))); // the log stays

        QVERIFY(window.startRun());
        QVERIFY(window.waitForRunEnd());
        QVERIFY(!window.app->run().cancelled());
        QCOMPARE(window.fake->requests().size(), 3);

        window.app->closeProgram(); // no run: the program ends
        QCOMPARE(window.terminations, QList<int>({0}));
    }

    void startWarnings_data()
    {
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("page");
        QTest::newRow("no file") << false << 1 << "Warning|You have to select at least one file." << "Input";
        QTest::newRow("no output") << true << 2 << "Warning|You have to select an output file or folder."
                                   << "Output";
    }

    void startWarnings()
    {
        QFETCH(bool, withFile);
        QFETCH(int, presses);
        QFETCH(QString, message);
        QFETCH(QString, page);
        WindowFixture window;
        if (withFile)
            window.addFiles({QStringLiteral("/books/a.xlsx")});
        MessageBoxAnswer answer(QStringLiteral("Cancel"));
        for (int press = 0; press < presses; ++press)
            window.app->window().outlets().startButton->click();
        QCOMPARE(answer.seen(), QStringList{message});
        QCOMPARE(window.currentPage(), page);
        QCOMPARE(window.startButtonText(), QStringLiteral("Next"));
        QVERIFY(!window.app->run().started());
    }

    void pagesRetitleTheButton()
    {
        WindowFixture window;
        QTabWidget* tabs = window.app->window().outlets().tabControl;
        QCOMPARE(window.startButtonText(), QStringLiteral("Next"));
        tabs->setCurrentIndex(2);
        QCOMPARE(window.startButtonText(), QStringLiteral("Start"));
        tabs->setCurrentIndex(1);
        QCOMPARE(window.startButtonText(), QStringLiteral("Next"));
    }

    void unattendedBatchStopsAtAWarning()
    {
        // On the offscreen platform nobody can answer: the warning goes to
        // standard error and the program ends with status 2.
        WindowFixture window(WindowFixture::Module::Fake, {QStringLiteral("-batch")});
        if (!window.app->view().unattended())
            QSKIP("the command line does not read -batch yet");
        QCOMPARE(window.terminations, QList<int>({2}));
        QVERIFY(!window.app->run().started());
    }
};

REGISTER_WINDOW_TEST(RunFlowTest);
#include "run_flow_test.moc"
