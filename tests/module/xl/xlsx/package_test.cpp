// How the reader finds its way through a package: sheet order and kinds,
// relationship targets, part-name quirks, Strict namespaces, the date
// system and the number formats.

#include <gtest/gtest.h>

#include "load_helpers.h"
#include "module/xl/xlsx/limits.h"
#include "package_builder.h"

using namespace ll::xl;
using namespace xlsxtest;

namespace {

const std::string kOneCell = "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>";

std::vector<std::string> sheetNames(const Book& book)
{
    std::vector<std::string> names;
    for (const auto& sheet : book.sheets)
        names.push_back(sheet->name());
    return names;
}

Part* findPart(std::vector<Part>& parts, const std::string& name)
{
    for (Part& part : parts)
        if (part.name == name)
            return &part;
    return nullptr;
}

TEST(PackageTest, SheetsInWorkbookOrderWithoutChartSheets)
{
    auto parts = WorkbookParts()
                     .sheet("Second &amp; first", kOneCell)
                     .chartSheet("Chart")
                     .sheet("\xD0\x94\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5", kOneCell) // Cyrillic
                     .sheet("Lost", kOneCell)
                     .parts();
    // A sheet whose part is missing is left out.
    std::erase_if(parts, [](const Part& part) { return part.name == "xl/worksheets/sheet4.xml"; });
    Loaded loaded = load(zipParts(parts));
    ASSERT_FALSE(loaded.error) << describe(loaded.error);
    EXPECT_EQ(sheetNames(*loaded.book),
              (std::vector<std::string>{"Second & first", "\xD0\x94\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5"}));
}

TEST(PackageTest, MacroAndDialogSheetsReadAsSheets)
{
    auto parts = WorkbookParts().sheet("Macro", kOneCell).sheet("Dialog", kOneCell).parts();
    Part* rels = findPart(parts, "xl/_rels/workbook.xml.rels");
    rels->bytes.replace(rels->bytes.find("/worksheet\""), 11, "/xlMacrosheet\"");
    rels->bytes.replace(rels->bytes.find("/worksheet\""), 11, "/dialogsheet\"");
    Loaded loaded = load(zipParts(parts));
    ASSERT_FALSE(loaded.error) << describe(loaded.error);
    ASSERT_EQ(loaded.book->sheets.size(), 2u);
    EXPECT_EQ(loaded.book->sheets[0]->kind(), SheetKind::Macro);
    EXPECT_EQ(loaded.book->sheets[1]->kind(), SheetKind::Dialog);
    EXPECT_EQ(loaded.book->sheets[1]->lastRow(), 1u);
}

TEST(PackageTest, DateSystem)
{
    struct Case {
        const char* attributes;
        bool date1904;
    };
    for (const Case& c : {Case{"", false}, Case{"date1904=\"1\"", true}, Case{"date1904=\"true\"", true},
                          Case{"date1904=\"false\"", false}, Case{"date1904=\"0\"", false}}) {
        Loaded loaded = load(WorkbookParts().workbookProperties(c.attributes).sheet("S", kOneCell).zip());
        ASSERT_FALSE(loaded.error);
        EXPECT_EQ(loaded.book->date1904, c.date1904) << c.attributes;
    }
}

// Producers place and name parts in many ways; each variant must lead to
// the same one-cell sheet.
TEST(PackageTest, FindsPartsHoweverTheyAreNamed)
{
    struct Variant {
        const char* name;
        void (*change)(std::vector<Part>&);
    };
    const Variant variants[] = {
        {"absolute target",
         [](std::vector<Part>& parts) {
             Part* rels = findPart(parts, "xl/_rels/workbook.xml.rels");
             rels->bytes.replace(rels->bytes.find("worksheets/"), 11, "/xl/worksheets/");
         }},
        {"part name in another case",
         [](std::vector<Part>& parts) { findPart(parts, "xl/worksheets/sheet1.xml")->name = "XL/Worksheets/Sheet1.XML"; }},
        {"backslash separators",
         [](std::vector<Part>& parts) {
             findPart(parts, "xl/worksheets/sheet1.xml")->name = "xl\\worksheets\\sheet1.xml";
             findPart(parts, "xl/_rels/workbook.xml.rels")->name = "xl\\_rels\\workbook.xml.rels";
         }},
        {"no package relationships",
         [](std::vector<Part>& parts) {
             std::erase_if(parts, [](const Part& part) { return part.name == "_rels/.rels"; });
         }},
        {"workbook elsewhere, relative targets going up",
         [](std::vector<Part>& parts) {
             findPart(parts, "_rels/.rels")->bytes.replace(findPart(parts, "_rels/.rels")->bytes.find("xl/workbook.xml"),
                                                           15, "book/main/wb.xml");
             findPart(parts, "xl/workbook.xml")->name = "book/main/wb.xml";
             Part* rels = findPart(parts, "xl/_rels/workbook.xml.rels");
             rels->name = "book/main/_rels/wb.xml.rels";
             rels->bytes.replace(rels->bytes.find("worksheets/"), 11, "../../elsewhere/./");
             findPart(parts, "xl/worksheets/sheet1.xml")->name = "elsewhere/sheet1.xml";
         }},
    };
    for (const Variant& variant : variants) {
        auto parts = WorkbookParts().sheet("S", kOneCell).parts();
        variant.change(parts);
        Loaded loaded = load(zipParts(parts));
        ASSERT_FALSE(loaded.error) << variant.name << ": " << describe(loaded.error);
        ASSERT_EQ(loaded.book->sheets.size(), 1u) << variant.name;
        EXPECT_EQ(loaded.book->sheets[0]->lastRow(), 1u) << variant.name;
    }
}

TEST(PackageTest, StrictNamespacesAndPrefixes)
{
    const std::string main = "http://purl.oclc.org/ooxml/spreadsheetml/main";
    const std::string rel = "http://purl.oclc.org/ooxml/officeDocument/relationships";
    const std::string pkg = "http://schemas.openxmlformats.org/package/2006/relationships";
    std::vector<Part> parts = {
        {"_rels/.rels", "<Relationships xmlns=\"" + pkg + "\"><Relationship Id=\"a\" Type=\"" + rel +
                            "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<s:workbook xmlns:s=\"" + main + "\" xmlns:q=\"" + rel +
                                "\"><s:workbookPr date1904=\"1\"/><s:sheets><s:sheet name=\"Strict\" sheetId=\"1\" "
                                "q:id=\"r1\"/></s:sheets></s:workbook>"},
        {"xl/_rels/workbook.xml.rels", "<Relationships xmlns=\"" + pkg + "\"><Relationship Id=\"r1\" Type=\"" + rel +
                                           "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml", "<s:worksheet xmlns:s=\"" + main +
                                         "\"><s:sheetData><s:row r=\"1\"><s:c r=\"B1\"><s:v>2.5</s:v></s:c></s:row>"
                                         "</s:sheetData></s:worksheet>"},
    };
    Loaded loaded = load(zipParts(parts));
    ASSERT_FALSE(loaded.error) << describe(loaded.error);
    ASSERT_EQ(sheetNames(*loaded.book), std::vector<std::string>{"Strict"});
    EXPECT_TRUE(loaded.book->date1904);
    EXPECT_EQ(loaded.book->sheets[0]->cellAt(0, 1)->value.number, 2.5);
}

TEST(PackageTest, NumberFormatsFromTheStylesPart)
{
    std::string styles =
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy\\-mm\\-dd\"/><numFmt numFmtId=\"165\" formatCode=\"General\"/>"
        "<numFmt numFmtId=\"59\" formatCode=\"m/d\"/><numFmt numFmtId=\"166\" formatCode=\"#,##0.00\"/></numFmts>"
        "<cellStyleXfs><xf numFmtId=\"14\"/></cellStyleXfs>"
        "<cellXfs><xf/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/><xf numFmtId=\"59\"/><xf numFmtId=\"166\"/>"
        "<xf numFmtId=\"14\"/><xf numFmtId=\"junk\"/></cellXfs>"
        "<dxfs><dxf><numFmt numFmtId=\"167\" formatCode=\"d\"/></dxf></dxfs></styleSheet>";
    Loaded loaded = load(WorkbookParts().styles(styles).sheet("S", kOneCell).zip());
    ASSERT_FALSE(loaded.error) << describe(loaded.error);
    const NumberFormats& formats = loaded.book->formats;
    ASSERT_EQ(formats.xfCount(), 7u);
    struct Case {
        uint32_t xf;
        int id;
        bool isDate;
        const char* custom;
    };
    const Case cases[] = {
        {0, 0, false, nullptr},        {1, 164, true, "yyyy\\-mm\\-dd"}, {2, 165, false, nullptr},
        {3, 59, true, nullptr},        {4, 166, false, "#,##0.00"},      {5, 14, true, nullptr},
        {6, 0, false, nullptr},        {99, 0, false, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formats.formatOfXf(c.xf).numFormat, c.id) << c.xf;
        EXPECT_EQ(formats.formatOfXf(c.xf).isDate, c.isDate) << c.xf;
        const char* custom = formats.customText(c.id);
        EXPECT_STREQ(custom, c.custom) << c.xf;
    }
    EXPECT_EQ(formats.customText(167), nullptr); // differential formats are not cell formats
}

TEST(PackageTest, AbsurdCountsAreClampedNotAllocated)
{
    std::string styles = "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                         "<cellXfs count=\"4000000000\">";
    for (uint32_t i = 0; i < xlsx::kMaxCellXfs + 10; ++i)
        styles += "<xf/>";
    styles += "</cellXfs></styleSheet>";
    std::string sst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                      "count=\"99999999999999\" uniqueCount=\"99999999999999\"><si><t>x</t></si></sst>";
    std::string rows = "<dimension ref=\"A1:XFD1048576\"/>" + kOneCell;
    auto parts = WorkbookParts().styles(styles).sharedStrings(sst).sheet("S", "").parts();
    findPart(parts, "xl/worksheets/sheet1.xml")->bytes =
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" + rows + "</worksheet>";
    Loaded loaded = load(zipParts(parts));
    ASSERT_FALSE(loaded.error) << describe(loaded.error);
    EXPECT_EQ(loaded.book->formats.xfCount(), xlsx::kMaxCellXfs);
    EXPECT_EQ(loaded.book->strings.size(), 1u);
}

TEST(PackageTest, NamedButAbsentSharedStringsPart)
{
    auto parts = WorkbookParts()
                     .sharedStrings("<sst/>")
                     .sheet("S", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\"><v>2</v></c></row>")
                     .parts();
    std::erase_if(parts, [](const Part& part) { return part.name == "xl/sharedStrings.xml"; });
    Loaded loaded = load(zipParts(parts));
    ASSERT_FALSE(loaded.error) << describe(loaded.error);
    EXPECT_EQ(loaded.book->sheets[0]->cellAt(0, 0), nullptr);
    EXPECT_EQ(loaded.book->sheets[0]->cellAt(0, 1)->value.number, 2.0);
}

TEST(PackageTest, WorkbookWithoutWorksheetsLoadsEmpty)
{
    auto parts = WorkbookParts().sheet("Gone", kOneCell).parts();
    std::erase_if(parts, [](const Part& part) { return part.name == "xl/worksheets/sheet1.xml"; });
    Loaded loaded = load(zipParts(parts));
    ASSERT_FALSE(loaded.error) << describe(loaded.error);
    EXPECT_TRUE(loaded.book->sheets.empty());
}

// The shared strings may be read on a second thread beside the sheets; the
// sheets' own texts then join the pool afterwards. Both ways must give the
// same cells.
TEST(PackageTest, SameCellsWithAndWithoutASecondThread)
{
    const std::string bytes =
        WorkbookParts()
            .sharedStrings("<sst><si><t>zero</t></si><si><r><t>o</t></r><r><t>ne</t></r></si></sst>")
            .sheet("A", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c>"
                        "<c r=\"B1\" t=\"inlineStr\"><is><t>own</t></is></c>"
                        "<c r=\"C1\" t=\"s\"><v>7</v></c>" // past the table: dropped
                        "<c r=\"D1\" t=\"str\"><f>X</f><v>formula</v></c></row>"
                        "<row r=\"3\"><c r=\"A3\" t=\"s\"><v>0</v></c></row>")
            .sheet("B", "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>second</t></is></c>"
                        "<c r=\"B1\" t=\"s\"><v>0</v></c><c r=\"E1\" t=\"s\"><v>9</v></c></row>")
            .zip();
    auto cellsOf = [](const Book& book) {
        std::vector<std::string> cells;
        for (const auto& sheet : book.sheets) {
            cells.push_back(sheet->name() + " " + std::to_string(sheet->lastRow()) + "x" +
                            std::to_string(sheet->lastCol()));
            sheet->forEachCell([&](uint32_t row, const Cell& cell) {
                cells.push_back(std::to_string(row) + "," + std::to_string(cell.col) + " " +
                                textAt(book, *sheet, row, cell.col));
            });
        }
        return cells;
    };
    std::vector<std::vector<std::string>> results;
    for (bool parallel : {false, true}) {
        setParallelLoading(parallel);
        Loaded loaded = load(bytes);
        ASSERT_FALSE(loaded.error) << describe(loaded.error);
        results.push_back(cellsOf(*loaded.book));
    }
    setParallelLoading(true);
    EXPECT_EQ(results[0], (std::vector<std::string>{"A 3x4", "0,0 one", "0,1 own", "0,3 formula", "2,0 zero", "B 1x2",
                                                    "0,0 second", "0,1 zero"}));
    EXPECT_EQ(results[1], results[0]);
}

} // namespace
