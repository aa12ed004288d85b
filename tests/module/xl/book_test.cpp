#include <gtest/gtest.h>

#include <cmath>

#include "module/xl/book.h"

using namespace ll::xl;

namespace {

TEST(SheetTest, CellsInAnyOrderLaterWritesWin)
{
    StringPool strings;
    Sheet sheet("S");
    sheet.setNumber(0, 0, 0, 1.0);
    sheet.setNumber(0, 2, 0, 3.0);
    sheet.setNumber(2, 1, 0, 5.0);
    sheet.setNumber(0, 1, 0, 2.0);   // out of order within a row
    sheet.setNumber(2, 1, 0, 6.0);   // replaces in place
    sheet.setNumber(0, 0, 0, 1.5);   // replaces an earlier row's cell
    sheet.setBlank(5, 9, 0);         // styled blank: no extent
    sheet.finish();
    EXPECT_EQ(sheet.lastRow(), 3u);
    EXPECT_EQ(sheet.lastCol(), 3u);
    ASSERT_NE(sheet.cellAt(0, 1), nullptr);
    EXPECT_EQ(sheet.cellAt(0, 0)->value.number, 1.5);
    EXPECT_EQ(sheet.cellAt(0, 1)->value.number, 2.0);
    EXPECT_EQ(sheet.cellAt(0, 2)->value.number, 3.0);
    EXPECT_EQ(sheet.cellAt(2, 1)->value.number, 6.0);
    EXPECT_EQ(sheet.cellAt(1, 0), nullptr);
    EXPECT_EQ(sheet.cellAt(2, 0), nullptr);
    EXPECT_EQ(sheet.cellAt(5, 9)->type(), CellType::Blank);
    EXPECT_EQ(sheet.cellAt(99, 0), nullptr);
    EXPECT_EQ(sheet.cellCount(), 5u);
}

TEST(SheetTest, SparseAndOutOfGridCells)
{
    Sheet sheet("S");
    EXPECT_TRUE(sheet.setBoolean(kMaxRows - 1, kMaxCols - 1, 3, true));
    EXPECT_FALSE(sheet.setNumber(kMaxRows, 0, 0, 1));
    EXPECT_FALSE(sheet.setNumber(0, kMaxCols, 0, 1));
    sheet.finish();
    EXPECT_EQ(sheet.lastRow(), kMaxRows);
    EXPECT_EQ(sheet.lastCol(), kMaxCols);
    const Cell* cell = sheet.cellAt(kMaxRows - 1, kMaxCols - 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->type(), CellType::Boolean);
    EXPECT_EQ(cell->xf(), 3u);
}

TEST(StringPoolTest, PointersStayValidAsThePoolGrows)
{
    StringPool pool;
    uint32_t first = pool.add("first");
    const char* pointer = pool.c_str(first);
    std::string big(3 << 20, 'x'); // larger than a chunk
    uint32_t large = pool.add(big);
    for (int i = 0; i < 100000; ++i)
        pool.add("some text of moderate length");
    EXPECT_EQ(pointer, pool.c_str(first));
    EXPECT_STREQ(pointer, "first");
    EXPECT_EQ(pool.view(large).size(), big.size());
    EXPECT_EQ(pool.view(pool.add("")), "");
}

TEST(NumberFormatsTest, CustomGeneralIsBuiltIn)
{
    NumberFormats formats;
    formats.setXfFormat(0, 0);
    formats.setXfFormat(1, 164);
    formats.setXfFormat(2, 165);
    formats.setXfFormat(3, 14);
    formats.setCustomText(164, "General");
    formats.setCustomText(165, "yyyy\\-mm\\-dd;@");
    formats.finish();
    EXPECT_EQ(formats.customText(164), nullptr);
    EXPECT_STREQ(formats.customText(165), "yyyy\\-mm\\-dd;@");
    EXPECT_EQ(formats.customText(14), nullptr);
    EXPECT_EQ(formats.customText(200), nullptr);
    EXPECT_FALSE(formats.formatOfXf(1).isDate);
    EXPECT_TRUE(formats.formatOfXf(2).isDate);
    EXPECT_TRUE(formats.formatOfXf(3).isDate);
    EXPECT_EQ(formats.formatOfXf(99).numFormat, 0); // unknown style: General
}

TEST(DateFormatTextTest, TokensOutsideQuotesEscapesAndBrackets)
{
    const std::pair<const char*, bool> cases[] = {
        {"yyyy-mm-dd", true},       {"dd/mm/yy hh:mm", true},  {"h:mm AM/PM", true},
        {"[h]:mm:ss", true},        {"[mm]:ss", true},         {"[$-409]mmmm d, yyyy", true},
        {"0.00", false},            {"#,##0", false},          {"0.00E+00", false},
        {"General", false},         {"@", false},              {"\"days\" 0", false},
        {"0\\d", false},            {"[Red]0.00", false},      {"[$USD-409] #,##0", false},
        {"_-* #,##0_-", false},     {"0;\"yes\";\"no\"", false}, {"0.0;[Red]dd", false}, // only the first section
    };
    for (auto [text, expected] : cases)
        EXPECT_EQ(isDateFormatText(text), expected) << text;
}

struct DateCase {
    double serial;
    bool date1904;
    DateParts expected;
};

TEST(UnpackDateTest, BothSystems)
{
    const DateCase cases[] = {
        {1.0, false, {1900, 1, 1, 0, 0, 0, 0}},
        {59.0, false, {1900, 2, 28, 0, 0, 0, 0}},
        {60.0, false, {1900, 2, 29, 0, 0, 0, 0}}, // the day the 1900 system counts but never was
        {61.0, false, {1900, 3, 1, 0, 0, 0, 0}},
        {44257.586909722222, false, {2021, 3, 2, 14, 5, 9, 0}},
        {0.5, false, {1899, 12, 31, 12, 0, 0, 0}},
        {0.999999999, false, {1900, 1, 1, 0, 0, 0, 0}}, // rounds into the next day
        {0.0, true, {1904, 1, 1, 0, 0, 0, 0}},
        {42795.25, true, {2021, 3, 2, 6, 0, 0, 0}},
        {2958465.0, false, {9999, 12, 31, 0, 0, 0, 0}},
    };
    for (const DateCase& c : cases) {
        DateParts parts;
        ASSERT_TRUE(unpackDate(c.serial, c.date1904, parts)) << c.serial;
        EXPECT_EQ(std::tie(parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second),
                  std::tie(c.expected.year, c.expected.month, c.expected.day, c.expected.hour, c.expected.minute,
                           c.expected.second))
            << c.serial;
    }
    DateParts parts;
    EXPECT_FALSE(unpackDate(-1.0, false, parts));
    EXPECT_FALSE(unpackDate(3.0e6, false, parts));
    EXPECT_FALSE(unpackDate(std::nan(""), false, parts));
}

} // namespace
