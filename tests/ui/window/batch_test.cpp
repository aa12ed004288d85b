// The program as a batch tool: started with switches, without a display,
// it converts, prints its log and tells the outcome by its exit status.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/xlsx_builder.h"
#include "test_registry.h"

namespace {

struct Finished {
    int status = -1;
    QString out;
    QString err;
};

Finished runProgram(const QStringList& arguments, const QString& settingsHome)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settingsHome);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(LEDGERLINE_PROGRAM), arguments);
    Finished result;
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        return result;
    }
    result.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    result.out = QString::fromLocal8Bit(program.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(program.readAllStandardError());
    return result;
}

} // namespace

class BatchTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(settingsHome_.isValid());
        QVERIFY(work_.isValid());
        testsupport::XlsxBuilder builder;
        builder.sheet("Sheet1").text(0, 0, "alpha").number(0, 1, 1).text(1, 0, "beta").number(1, 1, 2);
        book_ = work_.filePath(QStringLiteral("book.xlsx"));
        QVERIFY(builder.save(book_.toStdString()));
        out_ = work_.filePath(QStringLiteral("out"));
        QDir(out_).removeRecursively();
        QVERIFY(QDir().mkpath(out_));
    }

    void helpNeedsNoWindow()
    {
        Finished run = runProgram({QStringLiteral("--help")}, settingsHome_.path());
        QCOMPARE(run.status, 0);
        QVERIFY(run.err.isEmpty());
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("switches");
        QTest::addColumn<bool>("existingTarget");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("stdoutPart");
        QTest::addColumn<QString>("stderrPart");
        QTest::newRow("converted") << QStringList{"-batch", "BOOK"} << false << 0 << "Done, 2 records" << "";
        QTest::newRow("silent too") << QStringList{"-silent", "BOOK"} << false << 0 << "Done, 2 records" << "";
        QTest::newRow("workbook missing") << QStringList{"-batch", "MISSING"} << false << 1 << "Cannot open file"
                                          << "";
        QTest::newRow("no workbook named") << QStringList{"-batch"} << false << 2 << ""
                                           << "ledgerline: You have to select at least one file.";
        QTest::newRow("question nobody can answer")
            << QStringList{"-batch", "-files=ask", "BOOK"} << true << 2 << "Cancelled"
            << "Sheet1.dbf exists; choose -files=overwrite, use, skip or unique";
        QTest::newRow("skip needs no question")
            << QStringList{"-batch", "-files=skip", "BOOK"} << true << 0 << "Skipped: " << "";
    }

    void exitStatus()
    {
        QFETCH(QStringList, switches);
        QFETCH(bool, existingTarget);
        QFETCH(int, status);
        QFETCH(QString, stdoutPart);
        QFETCH(QString, stderrPart);
        if (existingTarget) {
            QFile target(out_ + QStringLiteral("/Sheet1.dbf"));
            QVERIFY(target.open(QIODevice::WriteOnly));
            target.write("x");
        }
        QStringList arguments{QStringLiteral("-output=") + out_ + u'/'};
        for (const QString& value : switches)
            arguments.append(value == QLatin1String("BOOK")      ? book_
                             : value == QLatin1String("MISSING") ? work_.filePath(QStringLiteral("gone.xlsx"))
                                                                 : value);
        Finished run = runProgram(arguments, settingsHome_.path());
        QVERIFY2(run.out.contains(stdoutPart), qPrintable(run.out));
        QVERIFY2(run.err.contains(stderrPart), qPrintable(run.err));
        QCOMPARE(run.status, status);
        // A command-line run leaves the saved settings alone.
        QFile saved(settingsHome_.filePath(QStringLiteral("Ledgerline/Ledgerline.conf")));
        if (saved.open(QIODevice::ReadOnly))
            QVERIFY(!saved.readAll().contains("outputFile"));
    }

private:
    QTemporaryDir settingsHome_;
    QTemporaryDir work_;
    QString book_;
    QString out_;
};

REGISTER_WINDOW_TEST(BatchTest);
#include "batch_test.moc"
