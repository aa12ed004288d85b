// The .xlsx loader: finds the workbook part through the package
// relationships, then reads the styles, the shared strings and each
// worksheet in workbook order into the Book.

#include <functional>
#include <memory>
#include <thread>

#include "date_styles.h"
#include "limits.h"
#include "module/xl/load.h"
#include "relationships.h"
#include "shared_strings.h"
#include "sheet_part.h"
#include "string_store.h"
#include "styles_part.h"
#include "workbook_part.h"
#include "zip_package.h"

namespace ll::xl {

namespace xlsx {
namespace {

// Where the workbook part is: named by the package relationships, or, for
// packages without them, at its usual place.
LoadError findWorkbookPart(const ZipPackage& package, std::string& workbookPart)
{
    Relationships root;
    if (LoadError error = root.read(package, ""))
        return error;
    if (const Relationship* office = root.byType("officeDocument"); office && package.find(office->target)) {
        workbookPart = office->target;
        return {};
    }
    if (package.find("xl/workbook.xml")) {
        workbookPart = "xl/workbook.xml";
        return {};
    }
    if (package.find("mimetype") && package.find("content.xml"))
        return {LoadErrorKind::NotAWorkbook, "an OpenDocument file, not an .xlsx workbook"};
    return {LoadErrorKind::NotAWorkbook, "the zip holds no workbook part"};
}

// Opens the part the relationship of this kind names; false when there is
// no such relationship or part.
bool openRelated(const ZipPackage& package, const Relationships& relationships, std::string_view kind,
                 uint64_t ceiling, std::unique_ptr<ChunkSource>& source, std::string& partName, LoadError& error)
{
    const Relationship* relationship = relationships.byType(kind);
    if (!relationship)
        return false;
    auto entry = package.find(relationship->target);
    if (!entry)
        return false;
    partName = relationship->target;
    error = package.openPart(*entry, ceiling, source);
    return !error;
}

SheetKind sheetKindOf(std::string_view relationshipType)
{
    std::string_view kind = relationshipKind(relationshipType);
    if (kind == "worksheet")
        return SheetKind::Worksheet;
    if (kind == "xlMacrosheet" || kind == "xlIntlMacrosheet")
        return SheetKind::Macro;
    if (kind == "dialogsheet")
        return SheetKind::Dialog;
    if (kind == "chartsheet")
        return SheetKind::Chart;
    return SheetKind::Other;
}

// Opens a second handle on the same package, for the thread that reads
// the shared strings (a zip handle serves one thread at a time).
using Reopen = std::function<LoadError(std::unique_ptr<ZipPackage>&)>;

struct SheetsToRead {
    const ZipPackage& package;
    const Relationships& related;
    const WorkbookInfo& info;
};

LoadError readSheets(const SheetsToRead& input, const SheetContext& context, Book& book)
{
    std::unique_ptr<ChunkSource> source;
    for (const SheetEntry& entry : input.info.sheets) {
        // Sheets whose part is missing are left out, as are chart sheets:
        // they hold no cells.
        const Relationship* relationship = input.related.byId(entry.relationshipId);
        if (!relationship)
            continue;
        SheetKind kind = sheetKindOf(relationship->type);
        auto part = input.package.find(relationship->target);
        if (kind == SheetKind::Chart || !part)
            continue;
        if (LoadError failure = input.package.openPart(*part, kMaxBulkPartBytes, source))
            return failure;
        Sheet& sheet = book.addSheet(entry.name, kind);
        if (LoadError failure = readSheetPart(*source, relationship->target,
                                              input.package.declaredSize(*part).value_or(0), context, sheet))
            return failure;
    }
    return {};
}

LoadError readSharedStringsOf(const ZipPackage& package, const Relationships& related, StringPool& pool,
                              SharedStrings& shared)
{
    std::unique_ptr<ChunkSource> source;
    std::string partName;
    LoadError error;
    if (openRelated(package, related, "sharedStrings", kMaxBulkPartBytes, source, partName, error))
        error = readSharedStrings(*source, partName, package.declaredSize(*package.find(partName)).value_or(0), pool,
                                  shared);
    return error;
}

// The shared strings on a second thread while this one reads the sheets:
// the two largest parts inflate and parse at the same time. The sheets'
// own texts wait in a pool of their own and follow the shared strings in
// the book's pool; string cells are settled once both are done.
LoadError readSheetsBesideSharedStrings(const SheetsToRead& input, const Reopen& reopen, const SheetContext& base,
                                        Book& book)
{
    StringPool sharedPool;
    SharedStrings shared;
    LoadError sharedError;
    StringPool ownTexts;
    StringStore strings(ownTexts);
    SheetContext context{shared, strings, base.dateStyles, base.date1904, base.cellBudget, true};
    LoadError sheetError;
    {
        std::jthread reader([&] {
            std::unique_ptr<ZipPackage> own;
            sharedError = reopen(own);
            if (!sharedError)
                sharedError = readSharedStringsOf(*own, input.related, sharedPool, shared);
        });
        sheetError = readSheets(input, context, book);
    } // joins the reader
    if (sheetError)
        return sheetError;
    if (sharedError)
        return sharedError;
    if (sharedPool.size() + ownTexts.size() > kMaxStrings)
        return {LoadErrorKind::TooLarge, "more than " + std::to_string(kMaxStrings) + " strings"};
    const uint32_t count = uint32_t(sharedPool.size());
    book.strings.append(std::move(sharedPool));
    book.strings.append(std::move(ownTexts));
    for (auto& sheet : book.sheets) {
        sheet->remapStrings([count](uint32_t& index) {
            if (index & kOwnTextMark) {
                index = count + (index & ~kOwnTextMark);
                return true;
            }
            return index < count; // a reference past the table is dropped
        });
    }
    return {};
}

LoadError loadPackage(const ZipPackage& package, Book& book, LoadScope scope, const Reopen& reopen)
{
    std::string workbookPart;
    if (LoadError error = findWorkbookPart(package, workbookPart))
        return error;
    Relationships related;
    if (LoadError error = related.read(package, workbookPart))
        return error;
    if (!related.found())
        return {LoadErrorKind::Corrupt, "the workbook part has no relationships part, so its sheets cannot be found"};

    WorkbookInfo info;
    {
        std::unique_ptr<ChunkSource> source;
        if (LoadError error = package.openPart(*package.find(workbookPart), kMaxMetadataPartBytes, source))
            return error;
        if (LoadError error = readWorkbookPart(*source, workbookPart, info))
            return error;
    }
    book.date1904 = info.date1904;
    if (scope == LoadScope::SheetNames) {
        for (const SheetEntry& entry : info.sheets) {
            const Relationship* relationship = related.byId(entry.relationshipId);
            if (!relationship)
                continue;
            SheetKind kind = sheetKindOf(relationship->type);
            if (kind != SheetKind::Chart && package.find(relationship->target))
                book.addSheet(entry.name, kind).finish();
        }
        return {};
    }

    std::unique_ptr<ChunkSource> source;
    std::string partName;
    LoadError error;
    if (openRelated(package, related, "styles", kMaxMetadataPartBytes, source, partName, error))
        error = readStylesPart(*source, partName, book.formats);
    if (error)
        return error;
    book.formats.setDefinedTextsDecide(true);
    book.formats.finish();

    StringStore strings(book.strings);
    DateStyles dateStyles(book.formats);
    uint64_t cellBudget = kMaxCells;
    SharedStrings shared;
    SheetContext context{shared, strings, dateStyles, book.date1904, &cellBudget};
    SheetsToRead input{package, related, info};
    if (reopen && parallelLoading() && related.byType("sharedStrings"))
        return readSheetsBesideSharedStrings(input, reopen, context, book);

    if ((error = readSharedStringsOf(package, related, book.strings, shared)))
        return error;
    return readSheets(input, context, book);
}

} // namespace
} // namespace xlsx

LoadError loadXlsx(const std::string& path, Book& book, LoadScope scope)
{
    std::unique_ptr<xlsx::ZipPackage> package;
    if (LoadError error = xlsx::ZipPackage::openFile(path, package))
        return error;
    return xlsx::loadPackage(*package, book, scope, [&path](std::unique_ptr<xlsx::ZipPackage>& other) {
        return xlsx::ZipPackage::openFile(path, other);
    });
}

LoadError loadXlsxFromMemory(const char* data, size_t size, Book& book, LoadScope scope)
{
    std::unique_ptr<xlsx::ZipPackage> package;
    if (LoadError error = xlsx::ZipPackage::openMemory(data, size, package))
        return error;
    return xlsx::loadPackage(*package, book, scope, [data, size](std::unique_ptr<xlsx::ZipPackage>& other) {
        return xlsx::ZipPackage::openMemory(data, size, other);
    });
}

} // namespace ll::xl
