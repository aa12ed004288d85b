// Every byte of a small table and its memo file, per flavour, against bytes
// written out by hand from the format's description. The update date is
// masked. Reading back with our own engine would hide a mistake made the
// same way in writer and reader; these do not.
#include <gtest/gtest.h>

#include <memory>

#include "dbf_test_support.h"
#include "module/dbf/memory_file_system.h"
#include "module/dbf/xbtable.h"

namespace {

using dbftest::byteDiff;
using dbftest::expectedBytes;

struct GoldenCase {
    const char* name;
    int flavour;
    const char* table;
    const char* memoPath;
    const char* memo;
};

// Descriptors of NAME C(5), QTY N(5,1), OK L, DAY D, NOTE M in the 32-byte
// layout; offsets (bytes 12..15) only in the FoxPro family.
#define DESC32(o1, o2, o3, o4, o5, memoWidth)                                                                         \
    "\"NAME\" z7 \"C\" " o1 " 05 00 z14 \"QTY\" z8 \"N\" " o2 " 05 01 z14 \"OK\" z9 \"L\" " o3                        \
    " 01 00 z14 \"DAY\" z8 \"D\" " o4 " 08 00 z14 \"NOTE\" z7 \"M\" " o5 " " memoWidth " 00 z14 "
#define NO_OFFSETS DESC32("00000000", "00000000", "00000000", "00000000", "00000000", "0a")
#define FOX_OFFSETS(memoWidth) DESC32("01000000", "06000000", "0b000000", "0c000000", "14000000", memoWidth)

// Record 1: "Ёж" in Windows-1251, 2.5, 'y', 2024-01-31, memo "memo"; record 2 empty.
#define RECORD1(pointer) "20 a8e6 s3 s2 \"2.5\" \"T\" \"20240131\" " pointer " "
#define RECORD2(pointer) "20 s5 s5 s1 s8 " pointer " 1a"

const GoldenCase kCases[] = {
    {"dBase3", 0,
     "83 ?? ?? ?? 02000000 c100 1e00 z16 00 c9 0000 " NO_OFFSETS "0d " RECORD1("s9 \"1\"") RECORD2("s10"),
     "golden.dbt",
     // next free block 2, block size 512 at 4, version 3 at 16; text ended by 1A 1A
     "02000000 00020000 z8 03 z495 \"memo\" 1a1a z506"},
    {"AsIs", 6,
     "83 ?? ?? ?? 02000000 c100 1e00 z16 00 c9 0000 " NO_OFFSETS "0d " RECORD1("s9 \"1\"") RECORD2("s10"),
     "golden.dbt", "02000000 00020000 z8 03 z495 \"memo\" 1a1a z506"},
    {"FoxPro", 1,
     "f5 ?? ?? ?? 02000000 c100 1e00 z16 00 c9 0000 " FOX_OFFSETS("0a") "0d " RECORD1("s9 \"8\"") RECORD2("s10"),
     "golden.fpt",
     // big-endian next free block 9 and block size 64; block 8: type 1, length 4
     "00000009 0000 0040 z504 00000001 00000004 \"memo\" z52"},
    {"dBase4", 2,
     "8b ?? ?? ?? 02000000 c100 1e00 z16 00 c9 0000 " NO_OFFSETS "0d " RECORD1("s9 \"8\"") RECORD2("s10"),
     "golden.dbt",
     // next free 9, block size at 4 and 20, table name at 8; block 8: FF FF 08 00, length 4 + 8
     "09000000 40000000 \"GOLDEN\" 0000 00000000 4000 z490 ffff0800 0c000000 \"memo\" z52"},
    {"VisualFoxPro", 3,
     "30 ?? ?? ?? 02000000 c801 1800 z16 02 c9 0000 " FOX_OFFSETS("04") "0d z263 " RECORD1("08000000")
         RECORD2("00000000"),
     "golden.fpt", "00000009 0000 0040 z504 00000001 00000004 \"memo\" z52"},
    {"SMT", 4,
     "e5 ?? ?? ?? 02000000 c100 1e00 z16 00 c9 0000 " NO_OFFSETS "0d " RECORD1("0100 04000000 08000000")
         RECORD2("s10"),
     "golden.smt",
     // little-endian next free 9 and block size 64; raw text, no framing
     "09000000 40000000 z504 \"memo\" z60"},
    {"dBase7", 7,
     "8c ?? ?? ?? 02000000 3501 1e00 z16 00 c9 0000 z32 z4 "
     "\"NAME\" z28 \"C\" 05 00 z13 \"QTY\" z29 \"N\" 05 01 z13 \"OK\" z30 \"L\" 01 00 z13 "
     "\"DAY\" z29 \"D\" 08 00 z13 \"NOTE\" z28 \"M\" 0a 00 z13 0d " RECORD1("s9 \"8\"") RECORD2("s10"),
     "golden.dbt", "09000000 40000000 \"GOLDEN\" 0000 00000000 4000 z490 ffff0800 0c000000 \"memo\" z52"},
};

class GoldenBytesTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenBytesTest, TableAndMemoFileMatchTheLayout)
{
    const GoldenCase& c = GetParam();
    auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
    {
        xbtable table(files);
        table.setEncoding(11);
        ASSERT_TRUE(table.prepareNewTable(c.flavour, 64, 0));
        ASSERT_TRUE(table.addField("name", 'C', 5, 0));
        ASSERT_TRUE(table.addField("qty", 'N', 5, 1));
        ASSERT_TRUE(table.addField("ok", 'L', 1, 0));
        ASSERT_TRUE(table.addField("day", 'D', 10, 0));
        ASSERT_TRUE(table.addField("note", 'M', 10, 0));
        ASSERT_TRUE(table.createTable("/t/golden.dbf")) << table.lastError();
        table.clearRecord();
        ASSERT_TRUE(table.setField(0, "Ёж", 0));
        ASSERT_TRUE(table.setField(1, "2.5", 2.5));
        ASSERT_TRUE(table.setField(2, "y", 0));
        ASSERT_TRUE(table.setField(3, "20240131120000", 0));
        ASSERT_TRUE(table.setField(4, "memo", 0));
        ASSERT_TRUE(table.appendRecord(0));
        table.clearRecord();
        ASSERT_TRUE(table.appendRecord(0));
    }
    std::optional<std::string> dbf = files->get("/t/golden.dbf");
    std::optional<std::string> memo = files->get(std::string("/t/") + c.memoPath);
    ASSERT_TRUE(dbf && memo);
    EXPECT_EQ(byteDiff(*dbf, expectedBytes(c.table)), "") << "table of " << c.name;
    EXPECT_EQ(byteDiff(*memo, expectedBytes(c.memo)), "") << "memo file of " << c.name;
}

INSTANTIATE_TEST_SUITE_P(Flavours, GoldenBytesTest, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

// The header date is the day of the last write: year - 1900, month, day.
TEST(GoldenBytesTest, HeaderDateIsToday)
{
    auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
    {
        xbtable table(files);
        ASSERT_TRUE(table.prepareNewTable(0, 512, 0));
        ASSERT_TRUE(table.addField("a", 'C', 1, 0));
        ASSERT_TRUE(table.createTable("/t/d.dbf"));
    }
    std::string bytes = *files->get("/t/d.dbf");
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), local.tm_year);
    EXPECT_EQ(static_cast<unsigned char>(bytes[2]), local.tm_mon + 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[3]), local.tm_mday);
}

// Without memo fields no memo file is written and the version byte says so.
TEST(GoldenBytesTest, TablesWithoutMemoFieldsHaveThePlainVersionByte)
{
    const std::pair<int, const char*> cases[] = {{0, "03"}, {1, "03"}, {2, "03"}, {3, "30"}, {4, "03"}, {6, "03"},
                                                 {7, "04"}};
    for (auto [flavour, version] : cases) {
        auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
        {
            xbtable table(files);
            ASSERT_TRUE(table.prepareNewTable(flavour, 512, 0));
            ASSERT_TRUE(table.addField("a", 'C', 1, 0));
            ASSERT_TRUE(table.createTable("/t/p.dbf"));
        }
        std::string bytes = *files->get("/t/p.dbf");
        EXPECT_EQ(byteDiff(bytes.substr(0, 1), expectedBytes(version)), "") << "flavour " << flavour;
        EXPECT_EQ(bytes[28], 0) << "flavour " << flavour;
        for (const char* memo : {"/t/p.dbt", "/t/p.fpt", "/t/p.smt"})
            EXPECT_FALSE(files->exists(memo)) << memo;
    }
}

} // namespace
