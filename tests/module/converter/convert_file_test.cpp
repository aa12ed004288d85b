// Whole workbooks through the module and the shell, with no window.

#include <gtest/gtest.h>

#include <filesystem>

#include "module/dbf/xbtable.h"
#include "module/xl/xl_api.h"
#include "support/headless_run.h"
#include "support/test_support.h"
#include "support/xlsx_builder.h"

using testsupport::TempDir;
using testsupport::XlsxBuilder;

namespace {

struct ConvertFixture : testing::Test {
    ConvertFixture()
    {
        std::filesystem::create_directories(dir.path() / "out");
        run.options.setOutputFile(out(""));
    }
    QString out(const std::string& name) const { return QString::fromStdString(dir.file("out/" + name)); }
    QString save(const XlsxBuilder& builder, const std::string& name = "book.xlsx")
    {
        EXPECT_TRUE(builder.save(dir.file(name)));
        return QString::fromStdString(dir.file(name));
    }
    // Every record's fields as texts, read back by the engine.
    std::vector<std::vector<std::string>> records(const QString& table) const
    {
        std::vector<std::vector<std::string>> rows;
        xbtable dbf;
        dbf.setEncoding(11);
        if (!dbf.openDBFfile(table.toStdString()))
            return rows;
        for (int64_t r = 0; r < dbf.recCount(); ++r) {
            dbf.getRecord(r);
            std::vector<std::string> fields;
            for (int64_t f = 0; f < dbf.fieldCount(); ++f)
                fields.push_back(dbf.getString(f).value_or("<none>"));
            rows.push_back(fields);
        }
        return rows;
    }
    int64_t recordCount(const QString& table) const
    {
        xbtable dbf;
        return dbf.openDBFfile(table.toStdString()) ? dbf.recCount() : -1;
    }

    TempDir dir;
    HeadlessRun run;
};

XlsxBuilder twoSheets()
{
    XlsxBuilder builder;
    builder.sheet("First").text(0, 0, "a").number(0, 1, 1).text(1, 0, "b").number(1, 1, 2);
    builder.sheet("Second").text(0, 0, "x");
    return builder;
}

TEST_F(ConvertFixture, LogsEachSheetAndWritesOneTableEach)
{
    QString book = save(twoSheets());
    QStringList all;
    EXPECT_TRUE(run.module.convertFile(book, all));
    QStringList log = run.view.log;
    ASSERT_EQ(log.size(), 5) << run.view.logText().toStdString();
    EXPECT_EQ(log[0], "Loading the file: " + book + "\n\n");
    EXPECT_EQ(log[1], "Start converting: " + book + " [First] -> " + out("First.dbf") + "\n");
    EXPECT_TRUE(log[2].startsWith("Done, 2 records, size of the output file: ")) << log[2].toStdString();
    EXPECT_EQ(log[3], "Start converting: " + book + " [Second] -> " + out("Second.dbf") + "\n");
    EXPECT_TRUE(log[4].startsWith("Done, 1 records, size of the output file: "));
    auto size = std::filesystem::file_size(out("First.dbf").toStdString());
    EXPECT_TRUE(log[2].endsWith(QString(": %1 bytes\n\n").arg(size)));
    EXPECT_EQ(run.options.targets(), QStringList({out("First.dbf"), out("Second.dbf")}));
    EXPECT_EQ(records(out("First.dbf")), (std::vector<std::vector<std::string>>{{"a", "1"}, {"b", "2"}}));
}

TEST_F(ConvertFixture, OnlyTheListedSheetsAndNoWordOfTheOthers)
{
    XlsxBuilder builder = twoSheets();
    builder.sheet("Third").text(0, 0, "z");
    QString book = save(builder);
    QStringList second{"Second"};
    EXPECT_TRUE(run.module.convertFile(book, second));
    EXPECT_FALSE(std::filesystem::exists(out("First.dbf").toStdString()));
    EXPECT_TRUE(std::filesystem::exists(out("Second.dbf").toStdString()));
    EXPECT_FALSE(std::filesystem::exists(out("Third.dbf").toStdString()));
    EXPECT_FALSE(run.view.logText().contains("First"));
    QStringList lowerCase{"second"}; // names compare exactly
    run.view.log.clear();
    EXPECT_TRUE(run.module.convertFile(book, lowerCase));
    EXPECT_EQ(run.view.log.size(), 1); // only the loading line
}

TEST_F(ConvertFixture, CellTextsAsCharacterFields)
{
    run.options.setAllCharacter(1);
    run.options.setLogical(2);
    XlsxBuilder builder;
    builder.sheet("S");
    int stamp = builder.style(22);
    int money = builder.style(164, "#,##0.00");
    int whole = builder.style(165, "#,##0");
    builder.number(0, 0, 44257.586909722222, stamp) // 2021-03-02 14:05:09
        .number(0, 1, 1234.5, money)
        .number(0, 2, 1234.5, whole)
        .number(0, 3, 1234.5)
        .boolean(0, 4, true)
        .boolean(0, 5, false)
        .text(0, 6, "line_x000D_\nbreak  ") // XML keeps a CR only escaped
        .text(0, 7, "Привет");
    QStringList all;
    ASSERT_TRUE(run.module.convertFile(save(builder), all));
    auto rows = records(out("S.dbf"));
    ASSERT_EQ(rows.size(), 1u);
    // The date field keeps its type (D) even with all-character on.
    EXPECT_NE(rows[0][0].find("2021"), std::string::npos) << rows[0][0];
    EXPECT_EQ(rows[0][1], "1234.50");
    EXPECT_EQ(rows[0][2], "1234");
    EXPECT_EQ(rows[0][3], "1234.5");
    EXPECT_EQ(rows[0][4], "TRUE");
    EXPECT_EQ(rows[0][5], "FALSE");
    EXPECT_EQ(rows[0][6], "line  break");
    EXPECT_EQ(rows[0][7], "Привет");
}

TEST_F(ConvertFixture, EmptySheetStillMakesATable)
{
    XlsxBuilder builder;
    builder.sheet("Empty");
    builder.sheet("After").text(0, 0, "kept");
    QStringList all;
    EXPECT_TRUE(run.module.convertFile(save(builder), all));
    EXPECT_EQ(recordCount(out("Empty.dbf")), 0);
    EXPECT_EQ(recordCount(out("After.dbf")), 1);
    EXPECT_TRUE(run.view.log[2].startsWith("Done, 0 records"));
}

struct RowsCase {
    int rows;
    int firstLine;
    int64_t records;
    double progress; // steps counted, header row included
};

class RowsTest : public ConvertFixture, public testing::WithParamInterface<RowsCase> {};

TEST_P(RowsTest, HeaderRowCountsAsProgressButIsNoRecord)
{
    const RowsCase& c = GetParam();
    run.options.setFirstLine(c.firstLine);
    XlsxBuilder builder;
    builder.sheet("S");
    for (int r = 0; r < c.rows; ++r)
        builder.number(r, 0, r);
    QStringList all;
    EXPECT_TRUE(run.module.convertFile(save(builder), all));
    EXPECT_EQ(recordCount(out("S.dbf")), c.records);
    EXPECT_EQ(run.view.progressValue, c.progress);
    EXPECT_EQ(run.view.progressMaximum, c.rows);
}

INSTANTIATE_TEST_SUITE_P(Sheets, RowsTest,
                         testing::Values(RowsCase{11, 1, 10, 11}, RowsCase{11, 0, 11, 11}, RowsCase{0, 1, 0, 1},
                                         RowsCase{0, 0, 0, 0}));

TEST_F(ConvertFixture, UsingAnExistingTableAppendsWithItsFields)
{
    run.options.setOverwriteFile(1);
    QString first = save(twoSheets(), "one.xlsx");
    XlsxBuilder other;
    other.sheet("First").text(0, 0, "c").number(0, 1, 3).number(0, 5, 9); // an extra column beyond the table
    QString second = save(other, "two.xlsx");
    QStringList firstOnly{"First"};
    EXPECT_TRUE(run.module.convertFile(first, firstOnly));
    EXPECT_TRUE(run.module.convertFile(second, firstOnly));
    auto rows = records(out("First.dbf"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], (std::vector<std::string>{"c", "3"}));
    EXPECT_EQ(run.options.targets()->size(), 1);
}

TEST_F(ConvertFixture, CancelKeepsTheRecordsSoFarAndStops)
{
    XlsxBuilder builder;
    builder.sheet("Long");
    for (int r = 0; r < 20; ++r)
        builder.number(r, 0, r);
    builder.sheet("Never").text(0, 0, "x");
    run.breakAtRecord(5);
    QStringList all;
    EXPECT_FALSE(run.module.convertFile(save(builder), all));
    EXPECT_EQ(recordCount(out("Long.dbf")), 5);
    EXPECT_FALSE(run.view.logText().contains("Done"));
    EXPECT_FALSE(std::filesystem::exists(out("Never.dbf").toStdString()));
}

TEST_F(ConvertFixture, OneOutputFileTakesEverySheet)
{
    run.options.setSeparateFiles(0);
    run.options.setOutputFile(out("all.dbf"));
    testsupport::writeFile(out("all.dbf").toStdString(), "an old file in the way");
    QStringList all;
    EXPECT_TRUE(run.module.convertFile(save(twoSheets()), all));
    auto rows = records(out("all.dbf"));
    ASSERT_EQ(rows.size(), 3u);             // the second sheet's row appended
    EXPECT_EQ(rows[2][0], "x");             // into the first sheet's layout
    EXPECT_EQ(run.options.targets(), QStringList{out("all.dbf")});
}

TEST_F(ConvertFixture, CancelInTheQuestionStopsAndTouchesNothing)
{
    run.options.setOverwriteFile(4);
    testsupport::writeFile(out("First.dbf").toStdString(), "keep me");
    run.view.answers = {4};
    QStringList all;
    EXPECT_FALSE(run.module.convertFile(save(twoSheets()), all));
    EXPECT_EQ(testsupport::readFile(out("First.dbf").toStdString()), "keep me");
    EXPECT_FALSE(std::filesystem::exists(out("Second.dbf").toStdString()));
}

TEST_F(ConvertFixture, SkipLogsAndGoesOn)
{
    run.options.setOverwriteFile(2);
    testsupport::writeFile(out("First.dbf").toStdString(), "keep me");
    QString book = save(twoSheets());
    QStringList all;
    EXPECT_TRUE(run.module.convertFile(book, all));
    EXPECT_EQ(testsupport::readFile(out("First.dbf").toStdString()), "keep me");
    EXPECT_TRUE(run.view.log.contains("Skipped: " + book + " -> " + out("First.dbf") + "\n"));
    EXPECT_EQ(recordCount(out("Second.dbf")), 1);
}

struct BadInputCase {
    const char* name;
    std::string bytes; // empty: no file at all
};

class BadWorkbookTest : public ConvertFixture, public testing::WithParamInterface<BadInputCase> {};

TEST_P(BadWorkbookTest, CannotOpenAndTheRunGoesOn)
{
    std::string path = dir.file(std::string(GetParam().name));
    if (!GetParam().bytes.empty())
        testsupport::writeFile(path, GetParam().bytes);
    QStringList all;
    EXPECT_TRUE(run.module.convertFile(QString::fromStdString(path), all));
    EXPECT_TRUE(run.view.log.contains("Cannot open file: " + QString::fromStdString(path) + "\n"));
    EXPECT_EQ(run.shell.filesNotOpened(), 1);
}

INSTANTIATE_TEST_SUITE_P(Files, BadWorkbookTest,
                         testing::Values(BadInputCase{"missing.xlsx", ""}, BadInputCase{"text.xlsx", "not a zip"},
                                         BadInputCase{"text.xls", "not a compound file at all"},
                                         BadInputCase{"zip.xls", std::string("PK\x03\x04", 4) + "rest"}),
                         [](const testing::TestParamInfo<BadInputCase>& param) { return std::to_string(param.index); });

TEST_F(ConvertFixture, UnwritableOutputLogsAndSkipsTheWorkbooksOtherSheets)
{
    run.options.setOutputFile(QString::fromStdString(dir.file("no/such/folder/out.dbf")));
    QString book = save(twoSheets());
    QStringList all;
    EXPECT_TRUE(run.module.convertFile(book, all));
    QString target = QString::fromStdString(dir.file("no/such/folder/First.dbf"));
    EXPECT_TRUE(run.view.log.contains("Cannot create output file: " + target + "\n\n")) << run.view.logText().toStdString();
    EXPECT_FALSE(run.view.logText().contains("Second"));
    EXPECT_EQ(run.shell.outputsNotCreated(), 1);
}

TEST_F(ConvertFixture, LogFileCollectsTwoRuns)
{
    std::string logFile = dir.file("run.log");
    run.options.setLogFile(QString::fromStdString(logFile));
    run.options.setOverwriteFile(0);
    QString book = save(twoSheets());
    QStringList all;
    EXPECT_TRUE(run.module.convertFile(book, all));
    std::string first = testsupport::readFile(logFile);
    EXPECT_EQ(QString::fromStdString(first), run.view.logText());
    EXPECT_TRUE(run.module.convertFile(book, all));
    std::string both = testsupport::readFile(logFile);
    EXPECT_EQ(both.substr(0, first.size()), first);
    EXPECT_GT(both.size(), first.size());
}

TEST_F(ConvertFixture, WideSheetsGiveAtMost2045Fields)
{
    XlsxBuilder builder;
    builder.sheet("Wide");
    for (int c = 0; c < 3000; ++c)
        builder.number(0, c, c);
    QStringList all;
    EXPECT_TRUE(run.module.convertFile(save(builder), all));
    xbtable dbf;
    ASSERT_TRUE(dbf.openDBFfile(out("Wide.dbf").toStdString()));
    EXPECT_EQ(dbf.fieldCount(), 2045);
    EXPECT_EQ(dbf.recCount(), 1);
}

TEST_F(ConvertFixture, PrecisionSetsDecimalsAndDbase7ComesFromFive)
{
    run.options.setPrecision(3);
    run.options.setTypeOfFile(5);
    XlsxBuilder builder;
    builder.sheet("S").number(0, 0, 1.23456).number(0, 1, 2);
    QStringList all;
    EXPECT_TRUE(run.module.convertFile(save(builder), all));
    std::string bytes = testsupport::readFile(out("S.dbf").toStdString());
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x04); // dBase 7 without memo
    xbtable dbf;
    ASSERT_TRUE(dbf.openDBFfile(out("S.dbf").toStdString()));
    EXPECT_EQ(dbf.fieldDecimals(0), 2);
    EXPECT_EQ(dbf.fieldDecimals(1), 2);
    dbf.getRecord(0);
    EXPECT_EQ(dbf.getString(0), "1.23");
}

} // namespace

namespace {

struct SheetNamesCase {
    const char* file;
    QStringList names;
};

class SheetNamesTest : public testing::TestWithParam<SheetNamesCase> {};

// Listing a workbook's tables reads only the names, never the cells.
TEST_P(SheetNamesTest, ListedWithoutReadingCells)
{
    QString path = QString::fromStdString((testsupport::sourceDir() / "examples" / GetParam().file).string());
    HeadlessRun run;
    EXPECT_EQ(run.module.getTables(path), GetParam().names);
    BookHandle book = path.endsWith(".xls") ? xlCreateBookCA() : xlCreateXMLBookCA();
    ASSERT_TRUE(xlBookLoadInfoA(book, path.toUtf8().constData()));
    ASSERT_EQ(xlBookSheetCountA(book), GetParam().names.size());
    EXPECT_EQ(xlSheetLastRowA(xlBookGetSheetA(book, 0)), 0);
    xlBookReleaseA(book);
}

INSTANTIATE_TEST_SUITE_P(Samples, SheetNamesTest,
                         testing::Values(SheetNamesCase{"sample.xlsx", {"Customers", "Orders"}},
                                         SheetNamesCase{"sample.xls", {"Клиенты", "Заказы"}}));

} // namespace
