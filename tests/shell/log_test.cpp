// The conversion log's texts, the log file and the progress values.

#include <gtest/gtest.h>

#include "options/my_options.h"
#include "shell/shell.h"
#include "support/recording_view.h"
#include "support/test_support.h"

using testsupport::TempDir;

namespace {

struct LogFixture : testing::Test {
    TempDir dir;
    myOptions options;
    RecordingView view;
    ImmediateMainThread main;
    Shell shell{options, view, main};
};

TEST_F(LogFixture, MessagesWriteTheirTextsInOrder)
{
    std::string target = dir.file("Sheet1.dbf");
    testsupport::writeFile(target, std::string(866, 'x'));
    options.setTarget(QString::fromStdString(target));
    QString out = QString::fromStdString(target);

    shell.TryToLoadFile("/in/book.xls");
    shell.StartConvertMessage("/in/book.xls [Sheet1]", 3);
    for (int i = 0; i < 3; ++i)
        shell.incProgressMessage();
    shell.finishMessage(3);
    shell.SkipFileMessage("/in/book.xls");
    shell.CantOpenFileMessage("/in/bad.xls");
    shell.CantCreateOutputMessage();
    shell.CantOpenOutputMessage();
    shell.SkipTableMessage("T");
    shell.CantCreateSheetMessage("S");

    EXPECT_EQ(view.log, QStringList({
                            "Loading the file: /in/book.xls\n\n",
                            "Start converting: /in/book.xls [Sheet1] -> " + out + "\n",
                            "Done, 3 records, size of the output file: 866 bytes\n\n",
                            "Skipped: /in/book.xls -> " + out + "\n",
                            "Cannot open file: /in/bad.xls\n",
                            "Cannot create output file: " + out + "\n\n",
                            "Cannot open output file: " + out + "\n\n",
                            "Skipped: T -> T\n",
                            "Cannot create a sheet: S\n\n",
                        }));
    EXPECT_EQ(view.progressValue, 3);
    EXPECT_EQ(view.progressMaximum, 3);
    EXPECT_EQ(view.badges, QStringList({"0%", ""}));
    EXPECT_EQ(shell.filesNotOpened(), 1);
    EXPECT_EQ(shell.outputsNotCreated(), 2);
}

TEST_F(LogFixture, FinishWithoutTheFileSaysWhy)
{
    options.setTarget(QString::fromStdString(dir.file("gone.dbf")));
    shell.finishMessage(0);
    ASSERT_EQ(view.log.size(), 1);
    EXPECT_FALSE(view.log[0].startsWith("Done"));
    EXPECT_TRUE(view.log[0].contains("gone.dbf"));
}

TEST_F(LogFixture, LogFileIsCreatedThenAppendedInUtf8)
{
    std::string logFile = dir.file("run.log");
    options.setLogFile(QString::fromStdString(logFile));
    shell.writeToLog("Первый\n");
    EXPECT_EQ(testsupport::readFile(logFile), "Первый\n");
    shell.writeToLog("second\n");
    EXPECT_EQ(testsupport::readFile(logFile), "Первый\nsecond\n");
    EXPECT_EQ(view.log.size(), 2);
}

TEST_F(LogFixture, UnopenableLogFileLeavesTheViewOnly)
{
    options.setLogFile(QString::fromStdString(dir.file("no/such/folder/run.log")));
    shell.writeToLog("text\n");
    EXPECT_EQ(view.log, QStringList{"text\n"});
    options.setLogFile(std::nullopt);
    shell.writeToLog("more\n");
    EXPECT_EQ(view.log.size(), 2);
}

} // namespace
