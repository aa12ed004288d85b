// The .xlsx loader: finds the workbook part through the package
// relationships, then reads the styles, the shared strings and each
// worksheet in workbook order into the Book.

#include <memory>

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

LoadError loadPackage(const ZipPackage& package, Book& book, LoadScope scope)
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

    SharedStrings shared;
    if (openRelated(package, related, "sharedStrings", kMaxBulkPartBytes, source, partName, error))
        error = readSharedStrings(*source, partName, package.declaredSize(*package.find(partName)).value_or(0),
                                  book.strings, shared);
    if (error)
        return error;

    StringStore strings(book.strings);
    DateStyles dateStyles(book.formats);
    uint64_t cellBudget = kMaxCells;
    SheetContext context{shared, strings, dateStyles, book.date1904, &cellBudget};
    for (const SheetEntry& entry : info.sheets) {
        // Sheets whose part is missing are left out, as are chart sheets:
        // they hold no cells.
        const Relationship* relationship = related.byId(entry.relationshipId);
        if (!relationship)
            continue;
        SheetKind kind = sheetKindOf(relationship->type);
        auto part = package.find(relationship->target);
        if (kind == SheetKind::Chart || !part)
            continue;
        if (LoadError failure = package.openPart(*part, kMaxBulkPartBytes, source))
            return failure;
        Sheet& sheet = book.addSheet(entry.name, kind);
        if (LoadError failure = readSheetPart(*source, relationship->target,
                                              package.declaredSize(*part).value_or(0), context, sheet))
            return failure;
    }
    return {};
}

} // namespace
} // namespace xlsx

LoadError loadXlsx(const std::string& path, Book& book, LoadScope scope)
{
    std::unique_ptr<xlsx::ZipPackage> package;
    if (LoadError error = xlsx::ZipPackage::openFile(path, package))
        return error;
    return xlsx::loadPackage(*package, book, scope);
}

LoadError loadXlsxFromMemory(const char* data, size_t size, Book& book, LoadScope scope)
{
    std::unique_ptr<xlsx::ZipPackage> package;
    if (LoadError error = xlsx::ZipPackage::openMemory(data, size, package))
        return error;
    return xlsx::loadPackage(*package, book, scope);
}

} // namespace ll::xl
