// Tables written with xbtable and read back with xbtable: every type in
// every flavour, appending to our tables and to tables other programs wrote,
// changing the encoding while a table is open, and the field-count limits.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "dbf_test_support.h"
#include "module/dbf/memory_file_system.h"
#include "module/dbf/xbtable.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using dbftest::FlavourCase;

// What xbtable shows for sample row i (dates as stored, numbers as stored).
std::vector<std::string> shownRow(size_t row)
{
    static const std::vector<std::vector<std::string>> rows = {
        {"Иванов Пётр", "1234.50", "T", "19800229", "Заметка\r\nвторая строка"},
        {"Smith, \"John\"", "-0.25", "F", "20241231", dbftest::longMemo()},
        {"", "", "", "", ""},
        {"Ёжик №5 — ёлка", "0.00", "T", "19000101", "коротко"},
    };
    return rows.at(row);
}

std::vector<std::string> readRow(xbtable& table, int64_t row)
{
    std::vector<std::string> values;
    EXPECT_TRUE(table.getRecord(row)) << table.lastError();
    for (int64_t i = 0; i < table.fieldCount(); ++i)
        values.push_back(table.getString(i).value_or("<unreadable>"));
    return values;
}

class RoundTripTest : public ::testing::TestWithParam<FlavourCase> {};

TEST_P(RoundTripTest, EveryTypeReadsBackAsWritten)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("round.dbf");
    std::string error;
    {
        xbtable writer;
        ASSERT_TRUE(dbftest::writeSampleTable(writer, path, GetParam().code, 128, error)) << error;
    }
    xbtable table;
    table.setEncoding(11);
    ASSERT_TRUE(table.openDBFfile(path)) << table.lastError();
    ASSERT_EQ(table.recCount(), 4);
    ASSERT_EQ(table.fieldCount(), 5);
    const char types[] = {'C', 'N', 'L', 'D', 'M'};
    const char* names[] = {"NAME", "AMOUNT", "FLAG", "BORN", "NOTES"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(table.fieldType(i), types[i]);
        EXPECT_EQ(table.fieldName(i), names[i]);
        EXPECT_EQ(table.isMemoField(i), i == 4);
        EXPECT_EQ(table.isNumericField(i), i == 1);
    }
    EXPECT_EQ(table.fieldLength(0), 30);
    EXPECT_EQ(table.fieldDecimals(1), 2);
    EXPECT_EQ(table.indexOfField("notes"), 4);
    EXPECT_EQ(table.indexOfField("nothere"), xbtable::NotFound);
    for (int64_t row = 0; row < 4; ++row)
        EXPECT_EQ(readRow(table, row), shownRow(size_t(row))) << "row " << row;
    EXPECT_FALSE(table.getRecord(4));
    EXPECT_FALSE(table.getString(5).has_value());

    std::string bytes = testsupport::readFile(path);
    EXPECT_EQ(dbftest::headerCount(bytes), 4u);
    EXPECT_EQ(bytes.size(), dbftest::headerLength(bytes) + 4 * dbftest::recordLength(bytes) + 1);
    EXPECT_EQ(bytes.back(), '\x1A');
}

TEST_P(RoundTripTest, AppendingToAClosedTableKeepsItsRecords)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("again.dbf");
    std::string error;
    {
        xbtable writer;
        ASSERT_TRUE(dbftest::writeSampleTable(writer, path, GetParam().code, 512, error)) << error;
    }
    {
        xbtable appender;
        appender.setEncoding(11);
        ASSERT_TRUE(appender.openDBFfile(path));
        for (int i = 0; i < 3; ++i) {
            appender.clearRecord();
            ASSERT_TRUE(appender.setField(0, "ещё " + std::to_string(i), 0));
            ASSERT_TRUE(appender.setField(4, "памятка " + std::to_string(i), 0));
            ASSERT_TRUE(appender.appendRecord(i == 1 ? 1 : 0));
        }
    }
    xbtable table;
    table.setEncoding(11);
    ASSERT_TRUE(table.openDBFfile(path));
    ASSERT_EQ(table.recCount(), 7);
    for (int64_t row = 0; row < 4; ++row)
        EXPECT_EQ(readRow(table, row), shownRow(size_t(row)));
    for (int64_t i = 0; i < 3; ++i) {
        std::vector<std::string> expected = {"ещё " + std::to_string(i), "", "", "", "памятка " + std::to_string(i)};
        EXPECT_EQ(readRow(table, 4 + i), expected);
        EXPECT_EQ(table.isDeleted(), i == 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Flavours, RoundTripTest, ::testing::ValuesIn(dbftest::kAllFlavours),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(RoundTripTest, EncodingMayChangeWhileTheTableIsOpen)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("enc.dbf");
    std::string error;
    {
        xbtable writer;
        ASSERT_TRUE(dbftest::writeSampleTable(writer, path, 0, 512, error)) << error;
    }
    xbtable table;
    table.setEncoding(11);
    ASSERT_TRUE(table.openDBFfile(path));
    ASSERT_TRUE(table.getRecord(0));
    EXPECT_EQ(table.getString(0).value_or(""), "Иванов Пётр");
    table.setEncoding(12); // the same bytes as Windows-1252
    EXPECT_EQ(table.getString(0).value_or(""), "Èâàíîâ Ï¸òð");
    EXPECT_TRUE(table.getString(4).value_or("").starts_with("Çàìåòêà"));
    EXPECT_EQ(table.fieldName(0), "NAME");
    table.setEncoding(11);
    EXPECT_EQ(table.getString(0).value_or(""), "Иванов Пётр");
}

TEST(RoundTripTest, ManyRecordsWithMemosCrossTheWriteBuffer)
{
    auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
    xbtable table(files);
    table.setEncoding(4);
    ASSERT_TRUE(table.prepareNewTable(1, 32, 0));
    ASSERT_TRUE(table.addField("n", 'N', 10, 0));
    ASSERT_TRUE(table.addField("m", 'M', 10, 0));
    ASSERT_TRUE(table.createTable("/many.dbf"));
    const int count = 20000;
    for (int i = 0; i < count; ++i) {
        table.clearRecord();
        ASSERT_TRUE(table.setField(0, std::to_string(i), i));
        ASSERT_TRUE(table.setField(1, i % 3 ? std::string(size_t(i % 700), char('a' + i % 26)) : "", 0));
        ASSERT_TRUE(table.appendRecord(0));
        if (i % 4999 == 0) { // reading back records still in the buffer
            ASSERT_TRUE(table.getRecord(i));
            EXPECT_EQ(table.getString(0).value_or(""), std::to_string(i));
        }
    }
    table.closeDBFfile();
    ASSERT_TRUE(table.openDBFfile("/many.dbf"));
    ASSERT_EQ(table.recCount(), count);
    for (int i : {0, 1, 2, 699, 700, 12345, count - 1}) {
        ASSERT_TRUE(table.getRecord(i));
        EXPECT_EQ(table.getString(0).value_or(""), std::to_string(i));
        EXPECT_EQ(table.getString(1).value_or("<none>"),
                  i % 3 ? std::string(size_t(i % 700), char('a' + i % 26)) : "");
    }
}

TEST(RoundTripTest, ATableWithoutFieldsOpensEmpty)
{
    for (const FlavourCase& flavour : dbftest::kAllFlavours) {
        auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
        {
            xbtable table(files);
            ASSERT_TRUE(table.prepareNewTable(flavour.code, 512, 0));
            ASSERT_TRUE(table.createTable("/empty.dbf")) << table.lastError();
        }
        xbtable table(files);
        ASSERT_TRUE(table.openDBFfile("/empty.dbf")) << flavour.name << ": " << table.lastError();
        EXPECT_EQ(table.fieldCount(), 0);
        EXPECT_EQ(table.recCount(), 0);
        EXPECT_FALSE(table.getRecord(0));
    }
}

TEST(RoundTripTest, FieldsBeyondWhatTheHeaderHoldsAreRefused)
{
    const struct {
        int flavour;
        int64_t kept;
    } cases[] = {{0, 2045}, {1, 2045}, {3, 2038}, {4, 2045}, {7, 1363}};
    for (const auto& c : cases) {
        auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
        xbtable table(files);
        ASSERT_TRUE(table.prepareNewTable(c.flavour, 512, 0));
        int64_t accepted = 0;
        for (int i = 0; i < 2045; ++i)
            accepted += table.addField("f", 'C', 2, 0) ? 1 : 0;
        EXPECT_EQ(accepted, c.kept) << "flavour " << c.flavour;
        ASSERT_TRUE(table.createTable("/wide.dbf"));
        table.closeDBFfile();
        ASSERT_TRUE(table.openDBFfile("/wide.dbf")) << table.lastError();
        EXPECT_EQ(table.fieldCount(), c.kept);
        EXPECT_EQ(table.fieldName(c.kept - 1).substr(0, 2), "F_");
    }
    // The record length runs out first: 258 fields of 254 bytes fit, then
    // every later field is refused, however small, to keep columns aligned.
    xbtable table(std::make_shared<ll::dbf::MemoryFileSystem>());
    ASSERT_TRUE(table.prepareNewTable(0, 512, 0));
    for (int i = 0; i < 258; ++i)
        ASSERT_TRUE(table.addField("c", 'C', 254, 0));
    EXPECT_FALSE(table.addField("c", 'C', 254, 0));
    EXPECT_FALSE(table.addField("small", 'L', 1, 0));
    EXPECT_EQ(table.fieldCount(), 258);
}

TEST(RoundTripTest, IndexOfFieldAsksTheFieldsBeingPrepared)
{
    xbtable table(std::make_shared<ll::dbf::MemoryFileSystem>());
    EXPECT_EQ(table.indexOfField("FLD_0000"), xbtable::NotFound);
    ASSERT_TRUE(table.prepareNewTable(0, 512, 0));
    EXPECT_EQ(table.indexOfField("FLD_0000"), xbtable::NotFound);
    ASSERT_TRUE(table.addField("FLD_0000", 'C', 10, 0));
    EXPECT_EQ(table.indexOfField("fld_0000"), 0);
    EXPECT_EQ(table.recCount(), 0);
}

// Tables other programs wrote: open, read, append two records, and find
// the old records unchanged and the new ones readable.
TEST(RoundTripTest, AppendingToForeignTables)
{
    std::optional<fs::path> shared = testsupport::sharedDir();
    if (!shared || !fs::exists(*shared / "tools/samples/db3.dbf"))
        GTEST_SKIP() << "no sample tables";
    const char* samples[] = {"db3",           "db3_nomemo",      "db3_deleted",  "clp",      "fp",
                             "vfp",           "hand_vfp",        "xbase_db4",    "hand_db4_bs64",
                             "hand_db4_bs2048", "hand_fp_bs16",  "hand_smt",     "hand_db7", "gdal_db3"};
    for (const char* sample : samples) {
        SCOPED_TRACE(sample);
        testsupport::TempDir dir;
        for (const auto& entry : fs::directory_iterator(*shared / "tools/samples"))
            if (entry.path().stem() == sample)
                fs::copy_file(entry.path(), dir.path() / entry.path().filename());
        const std::string path = dir.file(std::string(sample) + ".dbf");
        std::vector<std::vector<std::string>> before;
        int64_t count = 0;
        {
            xbtable table;
            table.setEncoding(11);
            ASSERT_TRUE(table.openDBFfile(path)) << table.lastError();
            count = table.recCount();
            ASSERT_GE(count, 4);
            for (int64_t row = 0; row < count; ++row)
                before.push_back(readRow(table, row));
            EXPECT_EQ(before[0][0], "Иванов Пётр");
            int64_t notes = table.indexOfField("notes");
            for (int i = 0; i < 2; ++i) {
                table.clearRecord();
                EXPECT_TRUE(table.setField(table.indexOfField("name"), "Новая запись", 0));
                EXPECT_TRUE(table.setField(table.indexOfField("amount"), "-7.5", -7.5));
                if (notes != xbtable::NotFound) {
                    EXPECT_TRUE(table.setField(notes, "новая памятка", 0)) << table.lastError();
                }
                EXPECT_TRUE(table.appendRecord(0)) << table.lastError();
            }
        }
        xbtable table;
        table.setEncoding(11);
        ASSERT_TRUE(table.openDBFfile(path));
        ASSERT_EQ(table.recCount(), count + 2);
        for (int64_t row = 0; row < count; ++row)
            EXPECT_EQ(readRow(table, row), before[size_t(row)]) << "row " << row;
        for (int64_t row = count; row < count + 2; ++row) {
            ASSERT_TRUE(table.getRecord(row));
            EXPECT_EQ(table.getString(table.indexOfField("name")).value_or(""), "Новая запись");
            EXPECT_EQ(std::stod(table.getString(table.indexOfField("amount")).value_or("0")), -7.5);
            int64_t notes = table.indexOfField("notes");
            if (notes != xbtable::NotFound) {
                EXPECT_EQ(table.getString(notes).value_or(""), "новая памятка");
            }
        }
    }
}

// Visual FoxPro tables from elsewhere may hold binary fields: integer,
// double, currency and datetime read back as text, and can be appended to.
TEST(RoundTripTest, VisualFoxProBinaryFieldsReadAndAppend)
{
    const dbftest::Expected table = dbftest::expectedBytes(
        "30 7e 0c 05 01000000 a801 1d00 z16 00 03 0000 "
        "\"I\" z10 \"I\" 01000000 04 00 z14 \"B\" z10 \"B\" 05000000 08 02 z14 "
        "\"Y\" z10 \"Y\" 0d000000 08 04 z14 \"T\" z10 \"T\" 15000000 08 00 z14 0d z263 "
        "20 fbffffff 0000000000000440 40e2010000000000 b58a2500 802ab302 1a");
    auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
    files->put("/vfp.dbf", table.bytes);
    {
        xbtable vfp(files);
        ASSERT_TRUE(vfp.openDBFfile("/vfp.dbf")) << vfp.lastError();
        EXPECT_EQ(readRow(vfp, 0), (std::vector<std::string> {"-5", "2.50", "12.3456", "20240131 12:34:56"}));
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(vfp.isNumericField(i));
        vfp.clearRecord();
        ASSERT_TRUE(vfp.setField(0, "42", 42));
        ASSERT_TRUE(vfp.setField(1, "1.25", 1.25));
        ASSERT_TRUE(vfp.setField(2, "-7", -7));
        ASSERT_TRUE(vfp.setField(3, "20200229101112", 0));
        ASSERT_TRUE(vfp.appendRecord(0));
    }
    xbtable vfp(files);
    ASSERT_TRUE(vfp.openDBFfile("/vfp.dbf"));
    ASSERT_EQ(vfp.recCount(), 2);
    EXPECT_EQ(readRow(vfp, 1), (std::vector<std::string> {"42", "1.25", "-7.0000", "20200229 10:11:12"}));
}

TEST(RoundTripTest, AMissingMemoFileLeavesTheOtherFieldsReadable)
{
    auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
    std::string error;
    {
        xbtable writer(files);
        ASSERT_TRUE(dbftest::writeSampleTable(writer, "/m.dbf", 0, 512, error)) << error;
    }
    files->remove("/m.dbt");
    xbtable table(files);
    table.setEncoding(11);
    ASSERT_TRUE(table.openDBFfile("/m.dbf"));
    ASSERT_TRUE(table.getRecord(0));
    EXPECT_EQ(table.getString(0).value_or(""), "Иванов Пётр");
    EXPECT_FALSE(table.getString(4).has_value());
    table.clearRecord();
    EXPECT_FALSE(table.setField(4, "text", 0));
    EXPECT_NE(table.lastError().find("m.dbt"), std::string::npos) << table.lastError();
}

} // namespace
