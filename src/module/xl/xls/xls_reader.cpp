// The .xls entry points: find the workbook stream (in a compound file, or a
// bare BIFF5/8 stream), read the globals, then each worksheet.

#include "biff_error.h"
#include "code_page.h"
#include "compound_file.h"
#include "mapped_file.h"
#include "module/xl/load.h"
#include "sheet_reader.h"
#include "workbook_globals.h"

namespace ll::xl {

namespace {

using namespace xls;

// Reading every sheet of a sound file touches each byte of the stream once;
// sheet offsets that point into one another could make it quadratic. Work
// past twice the stream (plus slack for tiny streams) is refused.
constexpr uint64_t kSheetWorkFactor = 2;
constexpr uint64_t kSheetWorkSlack = 1u << 20;

LoadError fromContainer(const CfbError& error)
{
    LoadErrorKind kind = LoadErrorKind::Corrupt;
    if (error.kind == CfbFailure::NotCompoundFile || error.kind == CfbFailure::NoSuchStream)
        kind = LoadErrorKind::NotAWorkbook;
    return {kind, describe(error)};
}

LoadError fromBiff(const BiffError& error)
{
    LoadErrorKind kind = LoadErrorKind::Corrupt;
    switch (error.kind) {
    case BiffFailure::Encrypted: kind = LoadErrorKind::Encrypted; break;
    case BiffFailure::OldVersion:
    case BiffFailure::UnknownVersion: kind = LoadErrorKind::Unsupported; break;
    case BiffFailure::OverlappingSheets: kind = LoadErrorKind::TooLarge; break;
    default: break;
    }
    return {kind, describe(error)};
}

// A bare BIFF stream starts with a BOF record: 09 00, 09 02, 09 04 or 09 08.
bool isBareBiff(ByteView file)
{
    return file.size >= 4 && file.u8(0) == 0x09 &&
           (file.u8(1) == 0x00 || file.u8(1) == 0x02 || file.u8(1) == 0x04 || file.u8(1) == 0x08);
}

LoadError readWorkbookStream(ByteView stream, Book& book, LoadScope scope)
{
    CodePage codePage;
    WorkbookGlobals globals;
    if (BiffError error = readGlobals(stream, book, codePage, globals))
        return fromBiff(error);

    CellContext context;
    context.biff = globals.biff;
    context.sharedStrings = globals.sharedStrings;
    context.pool = &book.strings;
    context.codePage = &codePage;

    const uint64_t budget = kSheetWorkFactor * uint64_t(stream.size) + kSheetWorkSlack;
    uint64_t spent = 0;
    for (const BoundSheet& entry : globals.sheets) {
        if (entry.type != BoundSheet::Worksheet)
            continue; // charts, macro sheets and modules hold no cells
        Sheet& sheet = book.addSheet(entry.name);
        if (scope == LoadScope::SheetNames) {
            sheet.finish();
            continue;
        }
        size_t bytes = 0;
        BiffError error = readSheet(stream, entry.offset, context, sheet, bytes);
        if (error) {
            error.sheet = entry.name;
            return fromBiff(error);
        }
        spent += bytes;
        if (spent > budget)
            return fromBiff({BiffFailure::OverlappingSheets, spent, budget});
        sheet.finish();
    }
    book.formats.setCjkDateIds(true);
    book.formats.finish();
    return {};
}

LoadError readFile(ByteView file, Book& book, LoadScope scope)
{
    if (isBareBiff(file))
        return readWorkbookStream(file, book, scope);
    CompoundFile container;
    if (CfbError error = container.open(file))
        return fromContainer(error);
    const CompoundFile::Entry* entry = container.findStream({"Workbook", "Book"});
    if (!entry)
        return fromContainer({CfbFailure::NoSuchStream});
    StreamBytes stream;
    if (CfbError error = container.read(*entry, stream))
        return fromContainer(error);
    return readWorkbookStream(stream.view, book, scope);
}

} // namespace

LoadError loadXlsFromMemory(const char* data, size_t size, Book& book, LoadScope scope)
{
    if (!data && size)
        return {LoadErrorKind::CannotOpen, "no data"};
    LoadError error = readFile({reinterpret_cast<const uint8_t*>(data), size}, book, scope);
    if (error)
        book.sheets.clear();
    return error;
}

LoadError loadXls(const std::string& path, Book& book, LoadScope scope)
{
    MappedFile file;
    std::string why;
    if (!file.open(path, why))
        return {LoadErrorKind::CannotOpen, path + ": " + why};
    return loadXlsFromMemory(file.data(), file.size(), book, scope);
}

} // namespace ll::xl
