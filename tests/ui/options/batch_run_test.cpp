// The built program in batch mode, as a script would run it: switches and
// a workbook in, tables, a log file and an exit status out, and the saved
// settings left alone.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "module/dbf/xbtable.h"
#include "support/test_support.h"
#include "support/xlsx_builder.h"

namespace {

struct BatchResult {
    bool finished = false;
    int exitCode = -1;
    QStringList logLines;
};

class BatchRunTest : public testing::Test {
protected:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_batch_run";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
        QDir().mkpath(path("out"));
        QDir().mkpath(path("config"));
    }

    QString path(const char* name) const { return QString::fromStdString(dir_.file(name)); }

    BatchResult run(const QStringList& arguments)
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", path("config"));
        environment.insert("HOME", path("."));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(LEDGERLINE_PROGRAM, arguments);
        BatchResult result;
        result.finished = program.waitForFinished(120'000);
        if (!result.finished) {
            program.kill();
            program.waitForFinished();
            return result;
        }
        result.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        QFile log(path("run.log"));
        if (log.open(QIODevice::ReadOnly))
            result.logLines = QString::fromUtf8(log.readAll()).split('\n');
        return result;
    }

    // Nothing under the settings folder: neither options nor the frame.
    void expectSettingsUntouched()
    {
        EXPECT_FALSE(QFileInfo::exists(path("config/Ledgerline/Ledgerline.conf")));
        EXPECT_TRUE(QDir(path("config")).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
    }

    testsupport::TempDir dir_;
};

struct Sheet {
    const char* name;
    int64_t records;
};

TEST_F(BatchRunTest, ConvertsEverySheetAndLogsIt)
{
    testsupport::XlsxBuilder book;
    book.sheet("Sheet1").text(0, 0, "Name").text(0, 1, "Amount");
    for (int row = 1; row <= 3; ++row)
        book.text(row, 0, "item " + std::to_string(row)).number(row, 1, row * 1.5);
    book.sheet("Second").number(0, 0, 1).number(1, 0, 2);
    QString workbook = path("book.xlsx");
    ASSERT_TRUE(book.save(workbook.toStdString()));

    BatchResult result = run({"-batch", "-output=" + path("out") + "/", "-log=" + path("run.log"), workbook});
    ASSERT_TRUE(result.finished) << "the batch run did not end";
    EXPECT_EQ(result.exitCode, 0);

    // Every text of the log ends with a line feed; the Done and Loading
    // texts add an empty line.
    const Sheet sheets[] = {{"Sheet1", 4}, {"Second", 2}};
    QStringList expected{"Loading the file: " + workbook, ""};
    for (const Sheet& sheet : sheets) {
        QString table = path("out") + "/" + sheet.name + ".dbf";
        ASSERT_TRUE(QFileInfo::exists(table)) << sheet.name;
        xbtable reader;
        ASSERT_TRUE(reader.openDBFfile(table.toStdString())) << reader.lastError();
        EXPECT_EQ(reader.recCount(), sheet.records) << sheet.name;
        EXPECT_EQ(reader.fieldCount(), sheet.records == 4 ? 2 : 1) << sheet.name;
        expected << QString("Start converting: %1 [%2] -> %3").arg(workbook, sheet.name, table)
                 << QString("Done, %1 records, size of the output file: %2 bytes")
                        .arg(sheet.records)
                        .arg(QFileInfo(table).size())
                 << "";
    }
    expected << "";
    ASSERT_EQ(result.logLines.size(), expected.size()) << result.logLines.join('|').toStdString();
    for (qsizetype i = 0; i < expected.size(); ++i) {
        // The target may be written with a doubled slash after the folder.
        QString line = result.logLines[i];
        line.replace("//", "/");
        EXPECT_EQ(line, expected[i]) << "log line " << i;
    }
    expectSettingsUntouched();
}

TEST_F(BatchRunTest, UnreadableWorkbookEndsWithStatusOne)
{
    QString workbook = path("broken.xlsx");
    testsupport::writeFile(workbook.toStdString(), "not a workbook");
    BatchResult result = run({"-batch", "-output=" + path("out") + "/", "-log=" + path("run.log"), workbook});
    ASSERT_TRUE(result.finished) << "the batch run did not end";
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.logLines.contains("Cannot open file: " + workbook)) << result.logLines.join('|').toStdString();
    EXPECT_TRUE(QDir(path("out")).isEmpty());
    expectSettingsUntouched();
}

} // namespace
