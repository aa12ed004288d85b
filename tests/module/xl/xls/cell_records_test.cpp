// BIFF cell records as the sheet sees them: each case is a sheet's records
// and the cells the book must hold afterwards.

#include <gtest/gtest.h>

#include "module/xl/book.h"
#include "module/xl/load.h"
#include "module/xl/xls/cell_records.h"
#include "xls_builder.h"

using namespace xlsbuild;

namespace {

// Record ids, written out here rather than taken from the reader.
constexpr uint16_t kNumber = 0x0203, kRk = 0x027E, kMulRk = 0x00BD, kBoolErr = 0x0205, kLabel = 0x0204,
                   kRString = 0x00D6, kLabelSst = 0x00FD, kFormula = 0x0006, kString = 0x0207,
                   kSharedFormula = 0x04BC, kContinue = 0x003C, kBlank = 0x0201, kMulBlank = 0x00BE,
                   kDimensions = 0x0200, kBof = 0x0809, kEof = 0x000A;

std::string number(uint16_t row, uint16_t col, double value, uint16_t xf = 0)
{
    return record(kNumber, place(row, col, xf) + f64(value));
}
std::string rk(uint16_t row, uint16_t col, uint32_t value) { return record(kRk, place(row, col, 0) + u32(value)); }
// A FORMULA record with the given 8-byte cached result and no tokens.
std::string formula(uint16_t row, uint16_t col, const std::string& result)
{
    return record(kFormula, place(row, col, 0) + result + u16(0) + u32(0) + u16(0));
}
// Tagged results: 0 text (in the next STRING), 1 logical, 2 error, 3 empty text.
std::string tagged(uint8_t kind, uint8_t value = 0)
{
    return u8(kind) + u8(0) + u8(value) + std::string(3, '\0') + u16(0xFFFF);
}

struct CellCase {
    const char* name;
    std::string records;
    std::vector<std::string> cells;
    int lastRow = -1, lastCol = -1; // checked when not -1
};
void PrintTo(const CellCase& c, std::ostream* os) { *os << c.name; }

class CellRecordTest : public testing::TestWithParam<CellCase> {};

TEST_P(CellRecordTest, SheetHoldsTheCells)
{
    const CellCase& c = GetParam();
    std::string stream = oneSheet(c.records);
    ll::xl::Book book(ll::xl::Book::Kind::Xls);
    ll::xl::LoadError error = ll::xl::loadXlsFromMemory(stream.data(), stream.size(), book);
    ASSERT_FALSE(error) << describe(error);
    EXPECT_EQ(cellsOf(book), c.cells);
    if (c.lastRow >= 0) {
        EXPECT_EQ(book.sheets[0]->lastRow(), uint32_t(c.lastRow));
        EXPECT_EQ(book.sheets[0]->lastCol(), uint32_t(c.lastCol));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, CellRecordTest,
    testing::Values(
        CellCase{"number", number(0, 0, 1.25, 1), {"0,0 n:1.25 xf1"}},
        // RK: integer, integer/100, negative integer, double, double/100, largest integer.
        CellCase{"rk_encodings",
                 rk(0, 0, (7 << 2) | 2) + rk(0, 1, (12345 << 2) | 3) + rk(0, 2, uint32_t(-5 * 4) | 2) +
                     rk(0, 3, 0x3FF80000) + rk(0, 4, 0x3FF80001) + rk(0, 5, 0x7FFFFFFE),
                 {"0,0 n:7", "0,1 n:123.45", "0,2 n:-5", "0,3 n:1.5", "0,4 n:0.015", "0,5 n:536870911"}},
        CellCase{"mulrk",
                 record(kMulRk, u16(1) + u16(2) + u16(1) + u32(30) + u16(2) + u32(0x3FF80000) + u16(0) +
                                    u32(0x3FF80001) + u16(4)),
                 {"1,2 n:7 xf1", "1,3 n:1.5 xf2", "1,4 n:0.015"}},
        // The pair count decides; a last-column field that disagrees is ignored.
        CellCase{"mulrk_with_wrong_last_column", record(kMulRk, u16(0) + u16(0) + u16(0) + u32(30) + u16(200)),
                 {"0,0 n:7"}},
        CellCase{"logicals_and_errors",
                 record(kBoolErr, place(0, 0, 0) + u8(1) + u8(0)) + record(kBoolErr, place(0, 1, 0) + u8(7) + u8(1)) +
                     record(kBoolErr, place(0, 2, 0) + u8(0) + u8(0)),
                 {"0,0 b:1", "0,1 e:7", "0,2 b:0"}},
        CellCase{"labels",
                 record(kLabel, place(0, 0, 0) + biff8Text("abc\xE9")) +
                     record(kLabel, place(0, 1, 0) + biff8Wide(u"\u00e9\u20ac\U0001F600")) +
                     record(kLabel, place(0, 2, 0) + biff8Wide(std::u16string(1, char16_t(0xD800)) + u"x")) +
                     record(kRString, place(0, 3, 0) + biff8Text("rich") + u16(1) + u16(0) + u16(1)),
                 {"0,0 s:abc\xC3\xA9", "0,1 s:\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", "0,2 s:\xEF\xBF\xBDx",
                  "0,3 s:rich"}},
        CellCase{"formula_results",
                 formula(0, 0, f64(2.5)) + formula(0, 1, tagged(0)) + record(kString, biff8Text("text")) +
                     formula(0, 2, tagged(0)) + record(kSharedFormula, std::string(10, '\0')) +
                     record(kString, biff8Text("shared")) + formula(0, 3, tagged(1, 1)) +
                     formula(0, 4, tagged(2, 0x2A)) + formula(0, 5, tagged(3)),
                 {"0,0 n:2.5", "0,1 s:text", "0,2 s:shared", "0,3 b:1", "0,4 e:42", "0,5 s:"}},
        // A text result whose STRING never comes leaves no cell.
        CellCase{"formula_text_without_string", formula(0, 0, tagged(0)) + number(0, 1, 3), {"0,1 n:3"}},
        CellCase{"string_switching_storage_at_continue",
                 formula(0, 0, tagged(0)) + record(kString, u16(6) + u8(0) + "abc") +
                     record(kContinue, u8(1) + u16(0x0434) + u16(0x044D) + u16(0x0436)),
                 {"0,0 s:abc\xD0\xB4\xD1\x8D\xD0\xB6"}},
        // Styled blanks are stored but do not count for the extent.
        CellCase{"blanks",
                 record(kBlank, place(0, 0, 3)) + record(kMulBlank, u16(1) + u16(0) + u16(1) + u16(2) + u16(3) + u16(2)) +
                     number(2, 5, 1) + record(kBlank, place(9, 9, 1)),
                 {"0,0 blank xf3", "1,0 blank xf1", "1,1 blank xf2", "1,2 blank xf3", "2,5 n:1", "9,9 blank xf1"},
                 3, 6},
        CellCase{"embedded_chart_skipped",
                 record(kBof, u16(0x0600) + u16(0x0020) + u32(0) + u32(0)) + number(5, 5, 9) + record(kEof, "") +
                     number(0, 0, 1),
                 {"0,0 n:1"}},
        CellCase{"records_too_short_are_skipped",
                 record(kNumber, place(0, 0, 0) + u32(0)) + record(kRk, place(0, 1, 0)) +
                     record(kLabelSst, place(0, 2, 0)) + record(kLabel, place(0, 3, 0)) + number(0, 4, 1),
                 {"0,4 n:1"}},
        CellCase{"dimensions_are_ignored",
                 record(kDimensions, u32(0) + u32(0x00FFFFFF) + u16(0) + u16(0xFFFF) + u16(0)) + number(2, 3, 1),
                 {"2,3 n:1"}, 3, 4},
        CellCase{"later_cell_replaces_earlier_and_order_is_restored",
                 number(5, 0, 1) + number(1, 0, 2) + number(1, 0, 3) + record(kLabel, place(5, 0, 0) + biff8Text("x")),
                 {"1,0 n:3", "5,0 s:x"}},
        CellCase{"columns_outside_the_grid_dropped", number(0, 20000, 1) + number(0, 255, 2), {"0,255 n:2"}}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(RkTest, DecodesEveryForm)
{
    struct {
        uint32_t rk;
        double value;
    } cases[] = {{0x00000002, 0},       {0x00000006, 1},          {0xFFFFFFFE, -1},       {0x80000002, -536870912},
                 {0x3FF00000, 1.0},     {0xC0000000, -2.0},       {0x00000007, 0.01},     {0x3FF00001, 0.01},
                 {0x40590000, 100.0},   {(100 << 2) | 3, 1.0}};
    for (const auto& c : cases)
        EXPECT_NEAR(ll::xl::xls::decodeRk(c.rk), c.value, std::abs(c.value) * 1e-6 + 1e-15) << std::hex << c.rk;
}

} // namespace
