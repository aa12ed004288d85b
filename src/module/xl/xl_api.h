#pragma once
// The workbook reader's function layer: opaque handles and xl...A functions
// over the in-memory Book. Every text passed in or out is UTF-8.
//
// Open a book with xlCreateBookCA (.xls) or xlCreateXMLBookCA (any other
// extension), set the locale "UTF-8", load it from a path, read it, and
// release it. A failed load returns 0 and xlBookErrorMessageA says why.
// Handles of sheets and formats, and every text returned, live as long as
// their book.

#include <cstddef>

extern "C" {

typedef struct XlBook* BookHandle;
typedef struct XlSheet* SheetHandle;
typedef struct XlFormat* FormatHandle;

enum XlCellType { CELLTYPE_EMPTY = 0, CELLTYPE_NUMBER, CELLTYPE_STRING, CELLTYPE_BOOLEAN, CELLTYPE_BLANK, CELLTYPE_ERROR };

BookHandle xlCreateBookCA(void);
BookHandle xlCreateXMLBookCA(void);
int xlBookSetLocaleA(BookHandle book, const char* locale);
int xlBookLoadA(BookHandle book, const char* filename);
// Loads from bytes in memory (the bytes are copied or read at once).
int xlBookLoadRawA(BookHandle book, const char* data, unsigned size);
// Loads only the sheets' names (the sheets then read as empty): what a
// list of a workbook's sheets needs, at a fraction of a full load's cost.
int xlBookLoadInfoA(BookHandle book, const char* filename);
const char* xlBookErrorMessageA(BookHandle book);
void xlBookReleaseA(BookHandle book);

int xlBookSheetCountA(BookHandle book);
SheetHandle xlBookGetSheetA(BookHandle book, int index);
const char* xlSheetNameA(SheetHandle sheet);
int xlSheetLastRowA(SheetHandle sheet);
int xlSheetLastColA(SheetHandle sheet);

int xlSheetCellTypeA(SheetHandle sheet, int row, int col);
int xlSheetIsDateA(SheetHandle sheet, int row, int col);
double xlSheetReadNumA(SheetHandle sheet, int row, int col, FormatHandle* format);
const char* xlSheetReadStrA(SheetHandle sheet, int row, int col, FormatHandle* format);
int xlSheetReadBoolA(SheetHandle sheet, int row, int col, FormatHandle* format);
FormatHandle xlSheetCellFormatA(SheetHandle sheet, int row, int col);

int xlFormatNumFormatA(FormatHandle format);
const char* xlBookCustomNumFormatA(BookHandle book, int fmt);
int xlBookDateUnpackA(BookHandle book, double value, int* year, int* month, int* day, int* hour, int* min,
                      int* sec, int* msec);

} // extern "C"
