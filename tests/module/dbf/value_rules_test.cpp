// How cell values are stored and shown: numbers and their overflow, dates,
// logicals, texts in the table's code page, field names and shapes. Each
// case writes one field through xbtable into memory and looks at the
// record's bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "module/dbf/memory_file_system.h"
#include "module/dbf/xbtable.h"

namespace {

struct Cell {
    char type;
    int64_t width;
    int64_t decimals;
    std::string text;
    double number;
};

// The bytes the one field of a fresh dBase III table holds after setField.
std::string storedBytes(const Cell& cell, int32_t charset = 11, int64_t dateFormat = -1)
{
    auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
    {
        xbtable table(files);
        table.setEncoding(charset);
        table.setIntDateFormat(dateFormat);
        EXPECT_TRUE(table.prepareNewTable(0, 512, 0));
        EXPECT_TRUE(table.addField("f", cell.type, cell.width, cell.decimals));
        EXPECT_TRUE(table.createTable("/v.dbf"));
        table.clearRecord();
        EXPECT_TRUE(table.setField(0, cell.text, cell.number));
        EXPECT_TRUE(table.appendRecord(0));
    }
    std::string bytes = *files->get("/v.dbf");
    size_t start = 32 + 32 + 1 + 1;
    return bytes.substr(start, bytes.size() - start - 1);
}

TEST(ValueRulesTest, NumbersAreRightAlignedWithTheFieldsDecimals)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        int64_t width, decimals;
        std::string text;
        double number;
        std::string stored;
    } cases[] = {
        {10, 2, "1234.5", 1234.5, "   1234.50"},
        {10, 2, "-0.25", -0.25, "     -0.25"},
        {10, 0, "42", 42, "        42"},
        {10, 2, "0", 0, "      0.00"},
        {10, 2, "-0.001", -0.001, "      0.00"},      // no negative zero
        {5, 1, "2.25", 2.25, "  2.2"},               // rounds the binary value
        {10, 2, "", 0, "          "},                // empty cell
        {10, 2, "abc", 0, "          "},             // no digits, no value
        {10, 2, "12345678.9", 12345678.9, "12345678.9"}, // too wide: fewer decimals
        {10, 2, "123456789.4", 123456789.4, " 123456789"},
        {10, 2, "12345678901", 12345678901.0, "          "}, // integer digits do not fit: blank
        {10, 2, "-999999999", -999999999, "-999999999"},
        {10, 2, "nan", nan, "          "},
        {20, 4, "1e25", 1e25, "                    "},
        {20, 15, "1.5", 1.5, "   1.500000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(storedBytes({'N', c.width, c.decimals, c.text, c.number}), c.stored) << c.text;
}

TEST(ValueRulesTest, DatesAreCheckedAgainstTheCalendar)
{
    const struct {
        std::string text;
        int64_t format;
        std::string stored;
    } cases[] = {
        {"20210302140509", -1, "20210302"},
        {"20240229", -1, "20240229"},
        {"20230229", -1, "        "}, // not a leap year
        {"19000229", -1, "        "},
        {"20000229000000", -1, "20000229"},
        {"20241301", -1, "        "},
        {"00000101", -1, "        "},
        {"", -1, "        "},
        {"2024-01-31", -1, "        "}, // "asis" takes digits only
        {"31.01.2024", 0, "20240131"},
        {"01/31/2024", 7, "20240131"},
        {"2024-01-31 10:00", 5, "20240131"},
        {"31.01-2024", 0, "        "}, // two different delimiters
        {"31.01.24", 0, "        "},   // two-digit year
        {"31.02.2024", 0, "        "},
        {"1/2/2024", 6, "20240201"},
        {"2024013", -1, "        "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(storedBytes({'D', 8, 0, c.text, 0}, 11, c.format), c.stored) << c.text << " format " << c.format;
}

TEST(ValueRulesTest, LogicalsFollowTheirFirstCharacter)
{
    const std::pair<std::string, std::string> cases[] = {
        {"1", "T"},   {"TRUE", "T"}, {"yes", "T"}, {"  Y", "T"}, {"t", "T"},  {"0", "F"},  {"FALSE", "F"},
        {"No", "F"},  {"n", "F"},    {"f", "F"},   {"", " "},   {"   ", " "}, {"Да", "?"}, {"?", "?"},
        {"x", "?"},
    };
    for (const auto& [text, stored] : cases)
        EXPECT_EQ(storedBytes({'L', 1, 0, text, 0}), stored) << text;
}

TEST(ValueRulesTest, TextsAreEncodedPaddedAndCutWithoutSplittingACharacter)
{
    const struct {
        int32_t charset;
        int64_t width;
        std::string text;
        std::string stored;
    } cases[] = {
        {11, 6, "Ёжик", "\xA8\xE6\xE8\xEA  "},
        {11, 3, "Ёжик", "\xA8\xE6\xE8"},
        {11, 4, "日本a", "??a "},               // not in the code page
        {4, 5, "ёёё", "\xD1\x91\xD1\x91 "},     // UTF-8: the third would be split
        {4, 3, "aё€", "a\xD1\x91"},
        {12, 4, "Ñu€", "\xD1u\x80 "},
        {11, 254, std::string(300, 'x'), std::string(254, 'x')}, // width clamped to 254
    };
    for (const auto& c : cases)
        EXPECT_EQ(storedBytes({'C', c.width, 0, c.text, 0}, c.charset), c.stored) << c.text;
}

TEST(ValueRulesTest, FieldNamesAreFittedAndMadeUnique)
{
    const struct {
        int flavour;
        std::vector<std::string> wanted;
        std::vector<std::string> fitted;
    } cases[] = {
        {0, {"name", "Name", "NAME"}, {"NAME", "NAME_1", "NAME_2"}},
        {0, {"abcdefghijklm", "abcdefghijxx"}, {"ABCDEFGHIJ", "ABCDEFGH_1"}},
        {0, {"Сумма", "", "№"}, {"FLD_0000", "FLD_0001", "FLD_0002"}},
        {0, {"9lives", "_x", "a b-c"}, {"F9LIVES", "F_X", "ABC"}},
        {0, {"FLD_0001", "", "x"}, {"FLD_0001", "FLD_0001_1", "X"}},
        {7, {"a_rather_long_field_name_for_dbase_seven", "a_rather_long_field_name_for_dbase_seven"},
         {"A_RATHER_LONG_FIELD_NAME_FOR_DB", "A_RATHER_LONG_FIELD_NAME_FOR__1"}},
        {3, {"ÄÖÜabc", "abc"}, {"ABC", "ABC_1"}},
    };
    for (const auto& c : cases) {
        xbtable table(std::make_shared<ll::dbf::MemoryFileSystem>());
        ASSERT_TRUE(table.prepareNewTable(c.flavour, 512, 0));
        for (const std::string& name : c.wanted)
            ASSERT_TRUE(table.addField(name, 'C', 5, 0));
        for (size_t i = 0; i < c.fitted.size(); ++i) {
            EXPECT_EQ(table.fieldName(int64_t(i)), c.fitted[i]) << c.wanted[i];
            EXPECT_EQ(table.indexOfField(c.fitted[i]), int64_t(i));
        }
    }
}

TEST(ValueRulesTest, FieldShapesAreFittedToTheFlavour)
{
    const struct {
        int flavour;
        char type;
        int64_t width, decimals;
        char storedType;
        int64_t storedWidth, storedDecimals;
    } cases[] = {
        {0, 'C', 300, 0, 'C', 254, 0}, {0, 'C', 0, 3, 'C', 1, 0},    {0, 'N', 10, 12, 'N', 14, 12},
        {0, 'N', 30, 2, 'N', 20, 2},   {0, 'N', 10, 40, 'N', 17, 15}, {0, 'N', 1, 1, 'N', 3, 1},
        {0, 'D', 10, 0, 'D', 8, 0},    {0, 'L', 10, 3, 'L', 1, 0},    {0, 'M', 10, 2, 'M', 10, 0},
        {3, 'M', 10, 0, 'M', 4, 0},    {2, 'F', 10, 2, 'F', 10, 2},   {0, 'F', 10, 2, 'N', 10, 2},
        {1, 'c', 12, 0, 'C', 12, 0},
    };
    for (const auto& c : cases) {
        xbtable table(std::make_shared<ll::dbf::MemoryFileSystem>());
        ASSERT_TRUE(table.prepareNewTable(c.flavour, 512, 0));
        ASSERT_TRUE(table.addField("f", c.type, c.width, c.decimals));
        EXPECT_EQ(table.fieldType(0), c.storedType) << c.type << c.width;
        EXPECT_EQ(table.fieldLength(0), c.storedWidth) << c.type << c.width;
        EXPECT_EQ(table.fieldDecimals(0), c.storedDecimals) << c.type << c.width;
    }
    xbtable table(std::make_shared<ll::dbf::MemoryFileSystem>());
    ASSERT_TRUE(table.prepareNewTable(0, 512, 0));
    EXPECT_FALSE(table.addField("x", 'Q', 5, 0));
    EXPECT_FALSE(table.lastError().empty());
}

TEST(ValueRulesTest, DatesAreShownInTheChosenFormat)
{
    auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
    xbtable table(files);
    ASSERT_TRUE(table.prepareNewTable(0, 512, 0));
    ASSERT_TRUE(table.addField("d", 'D', 8, 0));
    ASSERT_TRUE(table.createTable("/d.dbf"));
    table.clearRecord();
    ASSERT_TRUE(table.setField(0, "20240131", 0));
    ASSERT_TRUE(table.appendRecord(0));
    ASSERT_TRUE(table.getRecord(0));
    const std::pair<int64_t, std::string> cases[] = {{0, "31.01.2024"}, {1, "01.31.2024"}, {2, "2024.01.31"},
                                                     {4, "01-31-2024"}, {8, "2024/01/31"}, {9, "20240131"},
                                                     {10, "20240131"}}; // 10 changes nothing
    for (const auto& [format, shown] : cases) {
        table.setIntDateFormat(format);
        EXPECT_EQ(table.getString(0).value_or("<none>"), shown) << "format " << format;
    }
    table.setDateFormat("dmy");
    table.setDateDelimiter('/');
    EXPECT_EQ(table.getString(0).value_or("<none>"), "31/01/2024");
    table.setDateFormat("bogus");
    EXPECT_EQ(table.getString(0).value_or("<none>"), "31/01/2024");
}

} // namespace
