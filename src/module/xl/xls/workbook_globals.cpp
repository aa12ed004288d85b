#include "workbook_globals.h"

#include "biff_record_ids.h"
#include "biff_text.h"
#include "code_page.h"
#include "module/xl/book.h"
#include "record_iterator.h"

namespace ll::xl::xls {

namespace {

constexpr uint16_t kBiff8Version = 0x0600;
constexpr uint16_t kBiff5Version = 0x0500;

struct GlobalsReader {
    Book& book;
    CodePage& codePage;
    WorkbookGlobals& out;
    std::string text;
    uint32_t xfCount = 0;

    bool biff8() const { return out.biff == 8; }

    void readText(PieceReader& reader, bool longCount)
    {
        if (biff8())
            readBiff8String(reader, longCount ? Biff8StringForm::LongCount : Biff8StringForm::ShortCount, text);
        else
            readByteString(reader, longCount, codePage, text);
    }

    void boundSheet(const Record& record)
    {
        if (record.body.size < 6)
            return;
        BoundSheet sheet;
        sheet.offset = record.body.u32(0);
        sheet.type = record.body.u8(5);
        PieceReader reader(record);
        reader.skip(6);
        readText(reader, false);
        sheet.name = text;
        out.sheets.push_back(std::move(sheet));
    }

    void format(const Record& record)
    {
        if (record.body.size < 2)
            return;
        PieceReader reader(record);
        reader.skip(2);
        // BIFF8 counts the format's characters in two bytes, BIFF5/7 in one.
        readText(reader, biff8());
        book.formats.setCustomText(record.body.u16(0), text);
    }

    void xf(const Record& record)
    {
        // Every XF takes its place in the numbering, even a short one.
        book.formats.setXfFormat(xfCount++, record.body.size >= 4 ? record.body.u16(2) : 0);
    }
};

// BIFF5/7 texts depend on the CODEPAGE record, which may come after texts
// that need it; look for it first.
void selectCodePage(ByteView stream, size_t start, CodePage& codePage)
{
    RecordIterator records(stream, start);
    Record record;
    while (records.next(record) && record.id != rid::Eof) {
        if (record.id == rid::CodePage && record.body.size >= 2) {
            codePage.select(record.body.u16(0));
            return;
        }
    }
    codePage.select(1252);
}

} // namespace

BiffError readGlobals(ByteView stream, Book& book, CodePage& codePage, WorkbookGlobals& out)
{
    RecordIterator records(stream);
    Record record;
    if (!records.next(record))
        return {records.truncated() ? BiffFailure::Truncated : BiffFailure::NoBof, 0};
    if (record.id == rid::Bof2 || record.id == rid::Bof3 || record.id == rid::Bof4)
        return {BiffFailure::OldVersion, record.id};
    if (record.id != rid::Bof || record.body.size < 4)
        return {BiffFailure::NoBof, record.id, 0};
    uint16_t version = record.body.u16(0);
    if (version == kBiff8Version)
        out.biff = 8;
    else if (version == kBiff5Version)
        out.biff = 5;
    else
        return {BiffFailure::UnknownVersion, version};
    if (record.body.u16(2) != rid::GlobalsStream)
        return {BiffFailure::NotGlobals, record.body.u16(2)};
    if (out.biff == 5)
        selectCodePage(stream, records.offset(), codePage);

    GlobalsReader reader{book, codePage, out, {}};
    while (records.next(record)) {
        switch (record.id) {
        case rid::Eof: return {};
        case rid::FilePass: return {BiffFailure::Encrypted};
        case rid::BoundSheet: reader.boundSheet(record); break;
        case rid::Format: reader.format(record); break;
        case rid::Xf: reader.xf(record); break;
        case rid::DateMode:
            if (record.body.size >= 2)
                book.date1904 = record.body.u16(0) == 1;
            break;
        case rid::SharedStrings:
            if (out.biff == 8)
                out.sharedStrings = readSharedStrings(record, book.strings, reader.text);
            break;
        default: break;
        }
    }
    if (records.truncated())
        return {BiffFailure::Truncated, records.offset()};
    return {BiffFailure::MissingEof, records.offset()};
}

} // namespace ll::xl::xls
