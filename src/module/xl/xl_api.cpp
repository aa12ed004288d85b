#include "xl_api.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "book.h"
#include "load.h"

using ll::xl::Book;
using ll::xl::Cell;
using ll::xl::CellType;

struct XlFormat {
    ll::xl::Format format;
};

struct XlSheet {
    XlBook* owner;
    const ll::xl::Sheet* sheet;
};

struct XlBook {
    explicit XlBook(Book::Kind kind) : kind(kind), book(std::make_unique<Book>(kind)) {}
    Book::Kind kind;
    std::unique_ptr<Book> book;
    std::string error;
    std::vector<XlSheet> sheets;
    std::vector<XlFormat> formats; // one per XF, then the default format last
};

namespace {

void index(XlBook& handle)
{
    Book& book = *handle.book;
    handle.sheets.clear();
    for (auto& sheet : book.sheets)
        handle.sheets.push_back({&handle, sheet.get()});
    handle.formats.clear();
    for (size_t xf = 0; xf < book.formats.xfCount(); ++xf)
        handle.formats.push_back({book.formats.formatOfXf(uint32_t(xf))});
    handle.formats.push_back({});
}

int finishLoad(XlBook* handle, const ll::xl::LoadError& error)
{
    if (error) {
        handle->error = describe(error);
        handle->book = std::make_unique<Book>(handle->kind);
        index(*handle);
        return 0;
    }
    handle->error = "ok";
    index(*handle);
    return 1;
}

const Cell* cellOf(SheetHandle sheet, int row, int col)
{
    if (!sheet || row < 0 || col < 0)
        return nullptr;
    return sheet->sheet->cellAt(uint32_t(row), uint32_t(col));
}

FormatHandle formatOf(SheetHandle sheet, const Cell* cell)
{
    auto& formats = sheet->owner->formats;
    size_t xf = cell ? cell->xf() : 0;
    return &formats[xf < formats.size() ? xf : formats.size() - 1];
}

void giveFormat(SheetHandle sheet, const Cell* cell, FormatHandle* format)
{
    if (format)
        *format = sheet ? formatOf(sheet, cell) : nullptr;
}

} // namespace

extern "C" {

BookHandle xlCreateBookCA(void)
{
    return new XlBook(Book::Kind::Xls);
}

BookHandle xlCreateXMLBookCA(void)
{
    return new XlBook(Book::Kind::Xlsx);
}

int xlBookSetLocaleA(BookHandle book, const char* locale)
{
    // Texts are always UTF-8; other locales are refused.
    return book && locale && std::strcmp(locale, "UTF-8") == 0 ? 1 : 0;
}

int xlBookLoadA(BookHandle book, const char* filename)
{
    if (!book || !filename)
        return 0;
    book->book = std::make_unique<Book>(book->kind);
    auto error = book->kind == Book::Kind::Xls ? ll::xl::loadXls(filename, *book->book)
                                               : ll::xl::loadXlsx(filename, *book->book);
    return finishLoad(book, error);
}

int xlBookLoadInfoA(BookHandle book, const char* filename)
{
    if (!book || !filename)
        return 0;
    book->book = std::make_unique<Book>(book->kind);
    auto scope = ll::xl::LoadScope::SheetNames;
    auto error = book->kind == Book::Kind::Xls ? ll::xl::loadXls(filename, *book->book, scope)
                                               : ll::xl::loadXlsx(filename, *book->book, scope);
    return finishLoad(book, error);
}

int xlBookLoadRawA(BookHandle book, const char* data, unsigned size)
{
    if (!book || (!data && size))
        return 0;
    book->book = std::make_unique<Book>(book->kind);
    auto error = book->kind == Book::Kind::Xls ? ll::xl::loadXlsFromMemory(data, size, *book->book)
                                               : ll::xl::loadXlsxFromMemory(data, size, *book->book);
    return finishLoad(book, error);
}

const char* xlBookErrorMessageA(BookHandle book)
{
    return book ? book->error.c_str() : "no book";
}

void xlBookReleaseA(BookHandle book)
{
    delete book;
}

int xlBookSheetCountA(BookHandle book)
{
    return book ? int(book->sheets.size()) : 0;
}

SheetHandle xlBookGetSheetA(BookHandle book, int index)
{
    if (!book || index < 0 || size_t(index) >= book->sheets.size())
        return nullptr;
    return &book->sheets[size_t(index)];
}

const char* xlSheetNameA(SheetHandle sheet)
{
    return sheet ? sheet->sheet->name().c_str() : nullptr;
}

int xlSheetLastRowA(SheetHandle sheet)
{
    return sheet ? int(sheet->sheet->lastRow()) : 0;
}

int xlSheetLastColA(SheetHandle sheet)
{
    return sheet ? int(sheet->sheet->lastCol()) : 0;
}

int xlSheetCellTypeA(SheetHandle sheet, int row, int col)
{
    const Cell* cell = cellOf(sheet, row, col);
    return cell ? int(cell->type()) : CELLTYPE_EMPTY;
}

int xlSheetIsDateA(SheetHandle sheet, int row, int col)
{
    const Cell* cell = cellOf(sheet, row, col);
    if (!cell || cell->type() != CellType::Number)
        return 0;
    return formatOf(sheet, cell)->format.isDate ? 1 : 0;
}

double xlSheetReadNumA(SheetHandle sheet, int row, int col, FormatHandle* format)
{
    const Cell* cell = cellOf(sheet, row, col);
    giveFormat(sheet, cell, format);
    return cell && cell->type() == CellType::Number ? cell->value.number : 0.0;
}

const char* xlSheetReadStrA(SheetHandle sheet, int row, int col, FormatHandle* format)
{
    const Cell* cell = cellOf(sheet, row, col);
    giveFormat(sheet, cell, format);
    if (!cell || cell->type() != CellType::String)
        return nullptr;
    return sheet->owner->book->strings.c_str(cell->value.index);
}

int xlSheetReadBoolA(SheetHandle sheet, int row, int col, FormatHandle* format)
{
    const Cell* cell = cellOf(sheet, row, col);
    giveFormat(sheet, cell, format);
    return cell && cell->type() == CellType::Boolean ? int(cell->value.index != 0) : 0;
}

FormatHandle xlSheetCellFormatA(SheetHandle sheet, int row, int col)
{
    return sheet ? formatOf(sheet, cellOf(sheet, row, col)) : nullptr;
}

int xlFormatNumFormatA(FormatHandle format)
{
    return format ? format->format.numFormat : 0;
}

const char* xlBookCustomNumFormatA(BookHandle book, int fmt)
{
    return book ? book->book->formats.customText(fmt) : nullptr;
}

int xlBookDateUnpackA(BookHandle book, double value, int* year, int* month, int* day, int* hour, int* min,
                      int* sec, int* msec)
{
    ll::xl::DateParts parts;
    bool ok = book && ll::xl::unpackDate(value, book->book->date1904, parts);
    if (year) *year = parts.year;
    if (month) *month = parts.month;
    if (day) *day = parts.day;
    if (hour) *hour = parts.hour;
    if (min) *min = parts.minute;
    if (sec) *sec = parts.second;
    if (msec) *msec = parts.millisecond;
    return ok ? 1 : 0;
}

} // extern "C"
