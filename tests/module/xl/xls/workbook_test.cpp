// Workbook-level reading: shared strings across CONTINUE records, the
// sheet list, formats and styles, BIFF5 code pages, and the failures of
// damaged, encrypted and old streams.

#include <gtest/gtest.h>

#include "module/xl/book.h"
#include "module/xl/load.h"
#include "xls_builder.h"

using namespace xlsbuild;
using ll::xl::LoadErrorKind;

namespace {

constexpr uint16_t kBof = 0x0809, kEof = 0x000A, kBoundSheet = 0x0085, kSst = 0x00FC, kContinue = 0x003C,
                   kLabelSst = 0x00FD, kLabel = 0x0204, kFormat = 0x041E, kXf = 0x00E0, kDateMode = 0x0022,
                   kCodePage = 0x0042, kFilePass = 0x002F, kNumber = 0x0203, kFormula = 0x0006, kString = 0x0207;

ll::xl::LoadError load(const std::string& stream, ll::xl::Book& book)
{
    return ll::xl::loadXlsFromMemory(stream.data(), stream.size(), book);
}

std::string labelSst(uint16_t col, uint32_t index) { return record(kLabelSst, place(0, col, 0) + u32(index)); }

TEST(SharedStringsTest, StringsCrossContinueRecords)
{
    // Five strings over four records. At each join inside a string's
    // characters a fresh option byte picks the storage; formatting runs and
    // phonetic data continue without one.
    std::string first = u32(5) + u32(5) + biff8Text("plain") + u16(6) + u8(0) + "abc";
    std::string second = u8(1) + u16(0x0434) + u16(0x044D) + u16(0x0436) + // "дэж"
                         u16(4) + u8(0x08) + u16(2) + "bold" + u32(0x00010000);
    std::string third = u32(0x00020003) +                                  // second run of "bold"
                        u16(3) + u8(0x04) + u32(6) + "kan" + "\1\2\3\4\5\6" + // phonetic data
                        u16(2) + u8(1) + u16('A');
    std::string fourth = u8(0) + "B";
    std::string globals = record(kSst, first) + record(kContinue, second) + record(kContinue, third) +
                          record(kContinue, fourth);
    std::string cells;
    for (uint16_t i = 0; i < 6; ++i)
        cells += labelSst(i, i); // index 5 is past the table: no cell
    std::string stream = workbookStream(8, globals, {{"S", 0, cells}});

    ll::xl::Book book(ll::xl::Book::Kind::Xls);
    ASSERT_FALSE(load(stream, book));
    EXPECT_EQ(cellsOf(book), (std::vector<std::string>{"0,0 s:plain", "0,1 s:abc\xD0\xB4\xD1\x8D\xD0\xB6",
                                                       "0,2 s:bold", "0,3 s:kan", "0,4 s:AB"}));
    EXPECT_EQ(book.strings.size(), 5u) << "each shared string stored once";
}

TEST(SharedStringsTest, CountLargerThanTheRecordHolds)
{
    std::string globals = record(kSst, u32(4000000) + u32(4000000) + biff8Text("one") + biff8Text("two"));
    std::string stream = workbookStream(8, globals, {{"S", 0, labelSst(0, 1) + labelSst(1, 2)}});
    ll::xl::Book book(ll::xl::Book::Kind::Xls);
    ASSERT_FALSE(load(stream, book));
    EXPECT_EQ(cellsOf(book), std::vector<std::string>{"0,0 s:two"});
}

TEST(WorkbookTest, OnlyWorksheetsAreListed)
{
    std::string stream = workbookStream(8, "",
                                        {{"Data", 0, ""}, {"Chart1", 2, ""}, {"Macro1", 1, ""}, {"Module1", 6, ""},
                                         {"Dialog1", 0, ""}});
    ll::xl::Book book(ll::xl::Book::Kind::Xls);
    ASSERT_FALSE(load(stream, book));
    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(book.sheets[0]->name(), "Data");
    EXPECT_EQ(book.sheets[1]->name(), "Dialog1");
}

TEST(WorkbookTest, StylesCarryFormatIdsAndDateFlags)
{
    std::string globals = record(kDateMode, u16(1)) + record(kFormat, u16(164) + biff8Text("yyyy-mm-dd")) +
                          record(kFormat, u16(165) + biff8Text("0.00")) + record(kFormat, u16(5) + biff8Text("$#,##0"));
    const int ids[] = {0, 14, 31, 164, 165, 5};
    for (int id : ids)
        globals += record(kXf, u16(0) + u16(uint16_t(id)) + std::string(16, '\0'));
    ll::xl::Book book(ll::xl::Book::Kind::Xls);
    ASSERT_FALSE(load(workbookStream(8, globals, {{"S", 0, ""}}), book));

    EXPECT_TRUE(book.date1904);
    const bool dates[] = {false, true, true, true, false, false}; // 31: a date id of CJK locales
    for (uint32_t xf = 0; xf < 6; ++xf) {
        EXPECT_EQ(book.formats.formatOfXf(xf).numFormat, ids[xf]) << xf;
        EXPECT_EQ(book.formats.formatOfXf(xf).isDate, dates[xf]) << xf;
    }
    EXPECT_STREQ(book.formats.customText(164), "yyyy-mm-dd");
    EXPECT_EQ(book.formats.customText(5), nullptr) << "ids below 164 are built-in";
}

// BIFF5/7 byte strings in the workbook's code page: the sheet name, a
// LABEL, a FORMAT text and a formula's STRING.
struct CodePageCase {
    const char* name;
    int codePage; // -1: no CODEPAGE record
    std::string bytes;
    std::string utf8;
};
void PrintTo(const CodePageCase& c, std::ostream* os) { *os << c.name; }

class CodePageTest : public testing::TestWithParam<CodePageCase> {};

TEST_P(CodePageTest, TextsDecodeToUtf8)
{
    const CodePageCase& c = GetParam();
    std::string bytes = c.bytes;
    std::string globals = c.codePage >= 0 ? record(kCodePage, u16(uint16_t(c.codePage))) : "";
    globals += record(kFormat, u16(164) + u8(uint8_t(bytes.size())) + bytes) + record(kXf, u16(0) + u16(164) + std::string(12, '\0'));
    std::string cells = record(kLabel, place(0, 0, 0) + u16(uint16_t(bytes.size())) + bytes) +
                        record(kFormula, place(0, 1, 0) + u8(0) + std::string(5, '\0') + u16(0xFFFF) + u16(0) + u32(0) + u16(0)) +
                        record(kString, u16(uint16_t(bytes.size())) + bytes);
    ll::xl::Book book(ll::xl::Book::Kind::Xls);
    ll::xl::LoadError error = load(workbookStream(5, globals, {{bytes, 0, cells}}), book);
    ASSERT_FALSE(error) << describe(error);
    EXPECT_EQ(book.sheets.at(0)->name(), c.utf8);
    EXPECT_EQ(cellsOf(book), (std::vector<std::string>{"0,0 s:" + c.utf8, "0,1 s:" + c.utf8}));
    ASSERT_NE(book.formats.customText(164), nullptr);
    EXPECT_EQ(std::string(book.formats.customText(164)), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CodePageTest,
    testing::Values(CodePageCase{"windows_1251", 1251, "\xCF\xF0\xE8", "\xD0\x9F\xD1\x80\xD0\xB8"},
                    CodePageCase{"windows_1253", 1253, "\xE1", "\xCE\xB1"},
                    CodePageCase{"windows_1252_alias_32769", 32769, "\x80\xE9", "\xE2\x82\xAC\xC3\xA9"},
                    CodePageCase{"mac_roman", 10000, "\x8E", "\xC3\xA9"},
                    CodePageCase{"mac_central_european", 10029, "\x84", "\xC4\x84"},
                    CodePageCase{"mac_cyrillic", 10007, "\x80", "\xD0\x90"},
                    CodePageCase{"dos_866", 866, "\x80", "\xD0\x90"},
                    CodePageCase{"shift_jis_932", 932, "\x82\xA0", "\xE3\x81\x82"},
                    CodePageCase{"no_codepage_record", -1, "caf\xE9", "caf\xC3\xA9"},
                    CodePageCase{"unknown_codepage", 4242, "caf\xE9", "caf\xC3\xA9"}),
    [](const auto& c) { return std::string(c.param.name); });

// Streams that cannot be read, and the error each one gives.
struct BrokenCase {
    const char* name;
    std::string stream;
    LoadErrorKind kind;
    const char* detail;
};
void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class BrokenStreamTest : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenStreamTest, FailsCleanly)
{
    const BrokenCase& c = GetParam();
    ll::xl::Book book(ll::xl::Book::Kind::Xls);
    ll::xl::LoadError error = load(c.stream, book);
    EXPECT_EQ(error.kind, c.kind) << describe(error);
    EXPECT_NE(describe(error).find(c.detail), std::string::npos) << describe(error);
    if (c.kind == LoadErrorKind::None)
        EXPECT_FALSE(book.sheets.empty());
    else
        EXPECT_TRUE(book.sheets.empty()) << "a failed load leaves no sheets";
}

std::string withSheetOffset(std::string stream, uint32_t offset)
{
    size_t field = stream.find(u16(kBoundSheet)) + 4;
    return stream.replace(field, 4, u32(offset));
}

// Many sheet entries that all point at one large sheet.
std::string overlappingSheets()
{
    std::string sheet = record(kBof, u16(0x0600) + u16(0x0010) + u32(0) + u32(0));
    for (int i = 0; i < 1200; ++i)
        sheet += record(kNumber, place(uint16_t(i), 0, 0) + f64(i));
    sheet += record(kEof, "");
    std::string head = record(kBof, u16(0x0600) + u16(0x0005) + u32(0) + u32(0));
    const int entries = 200;
    size_t offset = head.size() + size_t(entries) * 13 + 4;
    for (int i = 0; i < entries; ++i)
        head += record(kBoundSheet, u32(uint32_t(offset)) + u8(0) + u8(0) + u8(1) + u8(0) + "s");
    return head + record(kEof, "") + sheet;
}

const std::string kSound = oneSheet(record(kNumber, place(0, 0, 0) + f64(1)));

INSTANTIATE_TEST_SUITE_P(
    Streams, BrokenStreamTest,
    testing::Values(
        BrokenCase{"encrypted", workbookStream(8, record(kFilePass, u16(0) + u16(0x34)), {{"S", 0, ""}}),
                   LoadErrorKind::Encrypted, "FILEPASS"},
        BrokenCase{"biff4_worksheet", record(0x0409, u16(0) + u16(0x0010) + u16(0)) + record(kEof, ""),
                   LoadErrorKind::Unsupported, "BIFF2-4"},
        BrokenCase{"biff2_worksheet", record(0x0009, u16(2) + u16(0x0010)) + record(kEof, ""),
                   LoadErrorKind::Unsupported, "BIFF2-4"},
        BrokenCase{"unknown_version", record(kBof, u16(0x0300) + u16(0x0005)) + record(kEof, ""),
                   LoadErrorKind::Unsupported, "version"},
        BrokenCase{"worksheet_where_globals_belong", record(kBof, u16(0x0600) + u16(0x0010)) + record(kEof, ""),
                   LoadErrorKind::Corrupt, "not workbook globals"},
        BrokenCase{"globals_without_eof", record(kBof, u16(0x0600) + u16(0x0005)), LoadErrorKind::Corrupt,
                   "without EOF"},
        BrokenCase{"cut_record_after_the_last_eof_unread", kSound + u16(kNumber) + u16(100) + "abc",
                   LoadErrorKind::None, ""},
        BrokenCase{"sheet_record_cut_off", kSound.substr(0, kSound.size() - 10), LoadErrorKind::Corrupt, "runs past"},
        BrokenCase{"sheet_without_eof", workbookStream(8, "", {{"S", 0, "", false}}), LoadErrorKind::Corrupt,
                   "without EOF"},
        BrokenCase{"sheet_offset_past_the_end", withSheetOffset(kSound, 1u << 30), LoadErrorKind::Corrupt,
                   "past the stream"},
        BrokenCase{"sheet_offset_inside_a_record", withSheetOffset(kSound, 2), LoadErrorKind::Corrupt, "runs past"},
        BrokenCase{"sheet_offset_at_a_cell", withSheetOffset(kSound, uint32_t(kSound.size() - 22)),
                   LoadErrorKind::Corrupt, "where a BOF belongs"},
        BrokenCase{"overlapping_sheets", overlappingSheets(), LoadErrorKind::TooLarge, "overlap"},
        BrokenCase{"not_biff_at_all", "hello, world", LoadErrorKind::NotAWorkbook, ""}),
    [](const auto& c) { return std::string(c.param.name); });

} // namespace
