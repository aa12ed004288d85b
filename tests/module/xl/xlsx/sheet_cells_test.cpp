// What worksheet XML turns into: positions, types and values of cells.

#include <gtest/gtest.h>

#include <cmath>

#include "load_helpers.h"
#include "module/xl/xlsx/chunk_source.h"
#include "module/xl/xlsx/date_styles.h"
#include "module/xl/xlsx/shared_strings.h"
#include "module/xl/xlsx/sheet_part.h"
#include "module/xl/xlsx/string_store.h"
#include "package_builder.h"

using namespace ll::xl;
using namespace xlsxtest;

namespace {

struct Expected {
    uint32_t row, col;
    CellType type;
    double number = 0;       // Number, Boolean (0/1), Error (code)
    std::string text = {};   // String
};

struct SheetCase {
    const char* name;
    std::string rows; // the <sheetData> content
    std::vector<Expected> cells;
    size_t cellCount; // every stored cell, blanks included
    bool date1904 = false;
};

const double kTime140509 = (14 * 3600 + 5 * 60 + 9) / 86400.0;

std::vector<SheetCase> sheetCases()
{
    using T = CellType;
    return {
        {"RowsAndCellsWithoutReferences",
         "<row><c><v>1</v></c><c><v>2</v></c></row><row><c><v>3</v></c></row>",
         {{0, 0, T::Number, 1}, {0, 1, T::Number, 2}, {1, 0, T::Number, 3}}, 3},
        {"PositionsContinueFromTheLastReference",
         "<row r=\"5\"><c r=\"C5\"><v>1</v></c><c><v>2</v></c></row><row><c><v>3</v></c></row>"
         "<row r=\"9\"><c r=\"1A\"><v>4</v></c></row>",
         {{4, 2, T::Number, 1}, {4, 3, T::Number, 2}, {5, 0, T::Number, 3}, {8, 0, T::Number, 4}}, 4},
        {"CellReferenceWinsOverItsRow",
         "<row r=\"2\"><c r=\"B7\"><v>1</v></c><c><v>2</v></c></row>",
         {{6, 1, T::Number, 1}, {1, 2, T::Number, 2}}, 2},
        {"CellsPastTheGridAreDropped",
         "<row r=\"1048576\"><c r=\"XFD1048576\"><v>1</v></c><c r=\"XFE1048576\"><v>2</v></c></row>"
         "<row r=\"1048577\"><c r=\"A1048577\"><v>3</v></c><c><v>4</v></c></row>"
         "<row><c r=\"ZZZZZZZZZZZZ99999999999999999\"><v>5</v></c></row>",
         {{1048575, 16383, T::Number, 1}}, 1},
        {"ValueTypes",
         "<row r=\"1\"><c r=\"A1\" t=\"b\"><v>1</v></c><c r=\"B1\" t=\"b\"><v>0</v></c>"
         "<c r=\"C1\" t=\"e\"><v>#DIV/0!</v></c><c r=\"D1\" t=\"e\"><v>#SPILL!</v></c>"
         "<c r=\"E1\" t=\"n\"><v> +1.5E3 </v></c><c r=\"F1\" t=\"str\"><f>A1</f><v>text result</v></c>"
         "<c r=\"G1\" t=\"str\"><v></v></c><c r=\"H1\" t=\"inlineStr\"><is><t></t></is></c></row>",
         {{0, 0, T::Boolean, 1}, {0, 1, T::Boolean, 0}, {0, 2, T::Error, 0x07}, {0, 3, T::Error, 0xFF},
          {0, 4, T::Number, 1500}, {0, 5, T::String, 0, "text result"}, {0, 6, T::String, 0, ""},
          {0, 7, T::String, 0, ""}},
         8},
        {"EmptyAndMissingValuesAreBlanks",
         "<row r=\"1\"><c r=\"A1\" s=\"1\"/><c r=\"B1\"><v/></c><c r=\"C1\" t=\"s\"/><c r=\"D1\" t=\"str\"/>"
         "<c r=\"E1\" t=\"inlineStr\"/><c r=\"F1\" t=\"b\"><v></v></c></row>",
         {{0, 0, T::Blank}, {0, 1, T::Blank}, {0, 2, T::Blank}, {0, 3, T::Blank}, {0, 4, T::Blank},
          {0, 5, T::Blank}},
         6},
        {"UnreadableValuesAreDropped",
         "<row r=\"1\"><c r=\"A1\"><v>abc</v></c><c r=\"B1\" t=\"s\"><v>7</v></c><c r=\"C1\" t=\"b\"><v>yes</v></c>"
         "<c r=\"D1\"><v>4</v></c></row>",
         {{0, 3, T::Number, 4}}, 1},
        {"InlineStringsJoinRunsWithoutPhonetics",
         "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><r><t>ab</t></r><r><rPr><b/></rPr><t>cd</t></r>"
         "<rPh sb=\"0\" eb=\"1\"><t>XX</t></rPh></is></c>"
         "<c r=\"B1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">  spaced\n </t></is></c>"
         "<c r=\"C1\" t=\"inlineStr\"><is><t><![CDATA[<cdata> & more]]></t></is></c></row>",
         {{0, 0, T::String, 0, "abcd"}, {0, 1, T::String, 0, "  spaced\n "}, {0, 2, T::String, 0, "<cdata> & more"}},
         3},
        {"EscapesAreDecoded",
         "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>_x005F_x000D_</t></is></c>"
         "<c r=\"B1\" t=\"inlineStr\"><is><t>a_x000D_b</t></is></c>"
         "<c r=\"C1\" t=\"str\"><v>_xD83C__xDF63_</v></c></row>",
         {{0, 0, T::String, 0, "_x000D_"}, {0, 1, T::String, 0, "a\rb"}, {0, 2, T::String, 0, "\xF0\x9F\x8D\xA3"}},
         3},
        {"IsoDatesBecomeSerials",
         "<row r=\"1\"><c r=\"A1\" t=\"d\"><v>2021-03-02T14:05:09</v></c><c r=\"B1\" t=\"d\"><v>10:10:10</v></c>"
         "<c r=\"C1\" t=\"d\"><v>2021-13-40</v></c></row>",
         {{0, 0, T::Number, 44257 + kTime140509}, {0, 1, T::Number, (10 * 3600 + 10 * 60 + 10) / 86400.0},
          {0, 2, T::String, 0, "2021-13-40"}},
         3},
        {"IsoDatesIn1904",
         "<row r=\"1\"><c r=\"A1\" t=\"d\"><v>2021-03-02T14:05:09</v></c></row>",
         {{0, 0, T::Number, 44257 - 1462 + kTime140509}}, 1, true},
        {"SparseAndWide",
         "<row r=\"3\"><c r=\"AB3\"><v>1</v></c></row><row r=\"700000\"><c r=\"XFA700000\"><v>2</v></c></row>",
         {{2, 27, T::Number, 1}, {699999, 16380, T::Number, 2}}, 2},
        {"PrefixedElements",
         "<x:row xmlns:x=\"urn:any\" r=\"2\"><x:c r=\"B2\" x:t=\"inlineStr\"><x:is><x:t>hi</x:t></x:is></x:c></x:row>",
         {{1, 1, T::String, 0, "hi"}}, 1},
    };
}

class SheetCellsTest : public testing::TestWithParam<SheetCase> {};

TEST_P(SheetCellsTest, ReadsCells)
{
    const SheetCase& c = GetParam();
    WorkbookParts parts;
    parts.sheet("S", c.rows);
    if (c.date1904)
        parts.workbookProperties("date1904=\"true\"");
    Loaded loaded = load(parts.zip());
    ASSERT_FALSE(loaded.error) << describe(loaded.error);
    ASSERT_EQ(loaded.book->sheets.size(), 1u);
    const Sheet& sheet = *loaded.book->sheets[0];
    EXPECT_EQ(sheet.cellCount(), c.cellCount);
    for (const Expected& e : c.cells) {
        SCOPED_TRACE("cell (" + std::to_string(e.row) + "," + std::to_string(e.col) + ")");
        const Cell* cell = sheet.cellAt(e.row, e.col);
        ASSERT_NE(cell, nullptr);
        ASSERT_EQ(cell->type(), e.type);
        if (e.type == CellType::Number) {
            EXPECT_NEAR(cell->value.number, e.number, 1e-9);
        } else if (e.type == CellType::Boolean || e.type == CellType::Error) {
            EXPECT_EQ(cell->value.index, uint32_t(e.number));
        } else if (e.type == CellType::String) {
            EXPECT_EQ(textAt(*loaded.book, sheet, e.row, e.col), e.text);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, SheetCellsTest, testing::ValuesIn(sheetCases()),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(SheetCellsTest, ExtentsCountValuesNotStyledBlanks)
{
    Loaded loaded = load(WorkbookParts()
                             .sheet("S", "<row r=\"2\"><c r=\"C2\"><v>1</v></c><c r=\"H2\" s=\"3\"/></row>"
                                         "<row r=\"40\"><c r=\"A40\" s=\"1\"/></row>")
                             .zip());
    ASSERT_FALSE(loaded.error);
    EXPECT_EQ(loaded.book->sheets[0]->lastRow(), 2u);
    EXPECT_EQ(loaded.book->sheets[0]->lastCol(), 3u);
}

TEST(SheetCellsTest, SharedStringsJoinRunsAndRepeatedTextsAreStoredOnce)
{
    std::string sst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" uniqueCount=\"4\">"
                      "<si><t>plain</t></si>"
                      "<si><r><t>ri</t></r><r><t>ch</t></r><rPh><t>PHONETIC</t></rPh><phoneticPr fontId=\"1\"/></si>"
                      "<si><t>_x005F_x000D_</t></si><si/></sst>";
    std::string rows = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                       "<c r=\"C1\" t=\"s\"><v>2</v></c><c r=\"D1\" t=\"s\"><v>3</v></c><c r=\"E1\" t=\"s\"><v>4</v></c>"
                       "<c r=\"F1\" t=\"inlineStr\"><is><t>again</t></is></c><c r=\"G1\" t=\"str\"><v>again</v></c></row>";
    Loaded loaded = load(WorkbookParts().sharedStrings(sst).sheet("S", rows).zip());
    ASSERT_FALSE(loaded.error) << describe(loaded.error);
    const Book& book = *loaded.book;
    const Sheet& sheet = *book.sheets[0];
    EXPECT_EQ(textAt(book, sheet, 0, 0), "plain");
    EXPECT_EQ(textAt(book, sheet, 0, 1), "rich");
    EXPECT_EQ(textAt(book, sheet, 0, 2), "_x000D_");
    EXPECT_EQ(textAt(book, sheet, 0, 3), "");
    EXPECT_EQ(sheet.cellAt(0, 4), nullptr); // index past the table
    EXPECT_EQ(sheet.cellAt(0, 5)->value.index, sheet.cellAt(0, 6)->value.index);
    EXPECT_EQ(book.strings.size(), 5u);
}

TEST(SheetCellsTest, IsoDateCellsAreDatesWhateverTheirStyle)
{
    std::string styles = "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                         "<cellXfs><xf/><xf numFmtId=\"14\"/><xf numFmtId=\"2\"/></cellXfs></styleSheet>";
    std::string rows = "<row r=\"1\"><c r=\"A1\" t=\"d\"><v>2021-03-02</v></c>"
                       "<c r=\"B1\" s=\"1\" t=\"d\"><v>2021-03-02</v></c>"
                       "<c r=\"C1\" s=\"2\" t=\"d\"><v>2021-03-02</v></c>"
                       "<c r=\"D1\" s=\"2\" t=\"d\"><v>2021-03-03</v></c>"
                       "<c r=\"E1\" s=\"77\" t=\"d\"><v>2021-03-02</v></c>"
                       "<c r=\"F1\" s=\"88\" t=\"d\"><v>2021-03-02</v></c>"
                       "<c r=\"G1\" s=\"2\"><v>44257</v></c></row>";
    Loaded loaded = load(WorkbookParts().styles(styles).sheet("S", rows).zip());
    ASSERT_FALSE(loaded.error) << describe(loaded.error);
    const Sheet& sheet = *loaded.book->sheets[0];
    const NumberFormats& formats = loaded.book->formats;
    struct Case {
        uint32_t col;
        bool isDate;
        int numFormat;
    };
    for (const Case& c : {Case{0, true, 0}, Case{1, true, 14}, Case{2, true, 2}, Case{3, true, 2}, Case{4, true, 0},
                          Case{5, true, 0}, Case{6, false, 2}}) {
        const Format& format = formats.formatOfXf(sheet.cellAt(0, c.col)->xf());
        EXPECT_EQ(format.isDate, c.isDate) << c.col;
        EXPECT_EQ(format.numFormat, c.numFormat) << c.col;
    }
    // One variant each for styles 0 and 2, and one for all undefined styles.
    EXPECT_EQ(formats.xfCount(), 6u);
}

// Hands over a part a few bytes at a time, as a producer on another thread
// might: tokens and texts split anywhere must read the same.
class TrickleSource final : public xlsx::ChunkSource {
public:
    TrickleSource(std::string bytes, size_t step) : bytes_(std::move(bytes)), step_(step) {}
    bool read(char* into, size_t capacity, size_t& got, LoadError&) override
    {
        got = std::min({step_, capacity, bytes_.size() - at_});
        std::copy_n(bytes_.data() + at_, got, into);
        at_ += got;
        return true;
    }

private:
    std::string bytes_;
    size_t step_;
    size_t at_ = 0;
};

// Reads a worksheet part, handed over step bytes at a time, into a new
// sheet of book with a cell budget.
LoadError readPart(Book& book, const std::string& xml, size_t step, uint64_t& budget)
{
    Sheet& sheet = book.addSheet("S");
    xlsx::SharedStrings shared;
    xlsx::StringStore strings(book.strings);
    xlsx::DateStyles dateStyles(book.formats);
    xlsx::SheetContext context{shared, strings, dateStyles, false, &budget};
    TrickleSource source(xml, step);
    return xlsx::readSheetPart(source, "sheet.xml", xml.size(), context, sheet);
}

TEST(SheetCellsTest, ChunkBoundariesDoNotMatter)
{
    std::string xml = worksheetXml("<row r=\"1\"><c r=\"A1\"><v>12345.678</v></c>"
                                   "<c r=\"B1\" t=\"inlineStr\"><is><t>a_x000D_b &amp; \xC3\xA9</t></is></c></row>"
                                   "<row><c><v>-1E-3</v></c></row>");
    for (size_t step : {1, 2, 3, 7, 64}) {
        Book book(Book::Kind::Xlsx);
        uint64_t budget = 100;
        LoadError error = readPart(book, xml, step, budget);
        ASSERT_FALSE(error) << describe(error);
        const Sheet& sheet = *book.sheets[0];
        EXPECT_EQ(sheet.cellAt(0, 0)->value.number, 12345.678) << step;
        EXPECT_EQ(textAt(book, sheet, 0, 1), "a\rb & \xC3\xA9") << step;
        EXPECT_EQ(sheet.cellAt(1, 0)->value.number, -1e-3) << step;
        EXPECT_EQ(budget, 97u);
    }
}

// The book's cell budget (kMaxCells for a real load) counts down across
// sheets; the cell that finds it spent fails the load.
TEST(SheetCellsTest, SpentCellBudgetFailsTheLoad)
{
    std::string xml = worksheetXml("<row><c><v>1</v></c><c><v>2</v></c><c><v>3</v></c><c><v>4</v></c></row>");
    Book book(Book::Kind::Xlsx);
    uint64_t budget = 3;
    LoadError error = readPart(book, xml, 64, budget);
    EXPECT_EQ(error.kind, LoadErrorKind::TooLarge);
    EXPECT_NE(error.detail.find("cells"), std::string::npos) << error.detail;
}

} // namespace
