// Damaged, hostile and foreign input: each must fail with its own kind of
// error, quickly and without a crash.

#include <gtest/gtest.h>

#include "load_helpers.h"
#include "module/xl/xlsx/limits.h"
#include "package_builder.h"

using namespace ll::xl;
using namespace xlsxtest;

namespace {

const std::string kOneCell = "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>";

std::string compoundFile(bool withEncryptedPackage)
{
    std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    bytes.resize(4096, '\0');
    if (withEncryptedPackage) {
        std::string name;
        for (char c : std::string("EncryptedPackage"))
            name += std::string{c, '\0'};
        bytes.replace(1024, name.size(), name);
    }
    return bytes;
}

std::string withoutPart(const std::string& name)
{
    auto parts = WorkbookParts().sheet("S", kOneCell).parts();
    std::erase_if(parts, [&](const Part& part) { return part.name == name; });
    return zipParts(parts);
}

std::string withSheetXml(const std::string& xml)
{
    return WorkbookParts().sheetPart("S", xml).zip();
}

// A workbook part listing one sheet more than the reader takes, all
// pointing at the one real sheet.
std::string tooManySheets()
{
    auto parts = WorkbookParts().sheet("S", kOneCell).parts();
    for (Part& part : parts) {
        if (part.name != "xl/workbook.xml")
            continue;
        std::string sheets;
        for (size_t i = 0; i <= xlsx::kMaxSheets; ++i)
            sheets += "<sheet name=\"s" + std::to_string(i) + "\" sheetId=\"1\" r:id=\"rId1\"/>";
        size_t at = part.bytes.find("<sheets>") + 8;
        part.bytes.replace(at, part.bytes.find("</sheets>") - at, sheets);
    }
    return zipParts(parts);
}

std::string deepSheet(int depth)
{
    std::string xml = "<worksheet><sheetData>";
    for (int i = 0; i < depth; ++i)
        xml += "<x>";
    for (int i = 0; i < depth; ++i)
        xml += "</x>";
    return xml + "</sheetData></worksheet>";
}

// A part that says it inflates to 10 bytes but holds a megabyte.
std::string understatedSize()
{
    std::string rows;
    while (rows.size() < (1 << 20))
        rows += "<row><c><v>1</v></c></row>";
    std::string zip = WorkbookParts().sheet("S", rows).zip();
    setDeclaredSize(zip, "xl/worksheets/sheet1.xml", 10);
    return zip;
}

std::string overstatedMetadataSize()
{
    std::string zip = WorkbookParts().sheet("S", kOneCell).zip();
    setDeclaredSize(zip, "xl/workbook.xml", uint32_t(xlsx::kMaxMetadataPartBytes + 1));
    return zip;
}

std::string hugeText()
{
    std::string text(xlsx::kMaxTextBytes + 1, 'a');
    return WorkbookParts().sheet("S", "<row><c t=\"inlineStr\"><is><t>" + text + "</t></is></c></row>").zip();
}

// One attribute value longer than the parser may hold between two tags.
std::string hugeToken()
{
    std::string value(xlsx::kMaxBytesBetweenTags + (1 << 20), 'a');
    return WorkbookParts().sheet("S", "<row><c r=\"" + value + "\"/></row>").zip();
}

const char* kLaughs = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
                      "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
                      "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
                      "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>&lol3;</t></is></c></row></sheetData>"
                      "</worksheet>";

struct BadCase {
    const char* name;
    std::string bytes;
    LoadErrorKind kind;
    const char* detail; // a piece of the error's detail
};

std::vector<BadCase> badCases()
{
    auto odf = std::vector<Part>{{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                                 {"content.xml", "<office:document-content/>"}};
    std::string zip = WorkbookParts().sheet("S", kOneCell).zip();
    return {
        {"Empty", "", LoadErrorKind::NotAWorkbook, ""},
        {"PlainText", "hello, I am not a zip", LoadErrorKind::NotAWorkbook, ""},
        {"EncryptedPackage", compoundFile(true), LoadErrorKind::Encrypted, "encrypted"},
        {"LegacyWorkbookNamedXlsx", compoundFile(false), LoadErrorKind::NotAWorkbook, "compound file"},
        {"TruncatedZip", zip.substr(0, zip.size() / 2), LoadErrorKind::NotAWorkbook, ""},
        {"OpenDocument", zipParts(odf), LoadErrorKind::NotAWorkbook, "OpenDocument"},
        {"NoWorkbookPart", zipParts({{"docProps/app.xml", "<Properties/>"}}), LoadErrorKind::NotAWorkbook, ""},
        {"NoWorkbookRelationships", withoutPart("xl/_rels/workbook.xml.rels"), LoadErrorKind::Corrupt,
         "relationships"},
        {"MalformedSheet", withSheetXml("<worksheet><sheetData><row></sheetData>"), LoadErrorKind::Corrupt,
         "mismatched tag"},
        {"EntityExpansion", withSheetXml(kLaughs), LoadErrorKind::Corrupt, "document type"},
        {"DoctypeWithoutEntities", withSheetXml("<!DOCTYPE worksheet><worksheet/>"), LoadErrorKind::Corrupt,
         "document type"},
        {"DeepNesting", withSheetXml(deepSheet(xlsx::kMaxXmlDepth + 10)), LoadErrorKind::TooLarge, "nested"},
        {"UnderstatedInflatedSize", understatedSize(), LoadErrorKind::Corrupt, "declared size"},
        {"OverstatedMetadataSize", overstatedMetadataSize(), LoadErrorKind::TooLarge, "declares"},
        {"TextPastTheLimit", hugeText(), LoadErrorKind::TooLarge, "longer than"},
        {"HugeToken", hugeToken(), LoadErrorKind::TooLarge, "without a tag"},
        {"TooManySheets", tooManySheets(), LoadErrorKind::TooLarge, "sheets"},
    };
}

class BadInputTest : public testing::TestWithParam<BadCase> {};

TEST_P(BadInputTest, FailsCleanly)
{
    const BadCase& c = GetParam();
    Loaded loaded = load(c.bytes);
    EXPECT_EQ(loaded.error.kind, c.kind) << describe(loaded.error);
    EXPECT_NE(loaded.error.detail.find(c.detail), std::string::npos) << loaded.error.detail;
}

INSTANTIATE_TEST_SUITE_P(Packages, BadInputTest, testing::ValuesIn(badCases()),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(BadInputTest, DeepNestingWithinTheLimitIsFine)
{
    Loaded loaded = load(withSheetXml(deepSheet(xlsx::kMaxXmlDepth - 10)));
    EXPECT_FALSE(loaded.error) << describe(loaded.error);
}

TEST(BadInputTest, MissingFileCannotBeOpened)
{
    Book book(Book::Kind::Xlsx);
    EXPECT_EQ(loadXlsx("/nonexistent/folder/book.xlsx", book).kind, LoadErrorKind::CannotOpen);
}

} // namespace
