// Arbitrary bytes into the .xls loader; whatever loads is read back through
// the xl API, every sheet and (up to a bound) every cell, as the conversion
// and the preview read it.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "module/xl/xl_api.h"

namespace {

// A far-away cell makes a huge extent; the walk stays within this window,
// and within a total over all sheets, so that each input runs quickly. The
// cells beyond it were stored the same way.
constexpr int kRowWindow = 1024;
constexpr int kColWindow = 256;
constexpr long kCellsPerInput = 1 << 16;

size_t readCell(BookHandle book, SheetHandle sheet, int row, int col)
{
    size_t seen = 0;
    FormatHandle format = nullptr;
    switch (xlSheetCellTypeA(sheet, row, col)) {
    case CELLTYPE_NUMBER: {
        double value = xlSheetReadNumA(sheet, row, col, &format);
        int y, mo, d, h, mi, s, ms;
        if (xlSheetIsDateA(sheet, row, col))
            seen += size_t(xlBookDateUnpackA(book, value, &y, &mo, &d, &h, &mi, &s, &ms));
        break;
    }
    case CELLTYPE_STRING:
        if (const char* text = xlSheetReadStrA(sheet, row, col, &format))
            seen += std::strlen(text);
        break;
    case CELLTYPE_BOOLEAN: seen += size_t(xlSheetReadBoolA(sheet, row, col, &format)); break;
    default: format = xlSheetCellFormatA(sheet, row, col); break;
    }
    if (const char* custom = xlBookCustomNumFormatA(book, xlFormatNumFormatA(format)))
        seen += std::strlen(custom);
    return seen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BookHandle book = xlCreateBookCA();
    xlBookSetLocaleA(book, "UTF-8");
    if (xlBookLoadRawA(book, reinterpret_cast<const char*>(data), unsigned(size))) {
        volatile size_t seen = 0;
        long budget = kCellsPerInput;
        for (int i = 0; i < xlBookSheetCountA(book) && budget > 0; ++i) {
            SheetHandle sheet = xlBookGetSheetA(book, i);
            seen = seen + std::strlen(xlSheetNameA(sheet));
            int rows = xlSheetLastRowA(sheet) < kRowWindow ? xlSheetLastRowA(sheet) : kRowWindow;
            int cols = xlSheetLastColA(sheet) < kColWindow ? xlSheetLastColA(sheet) : kColWindow;
            for (int r = 0; r < rows && budget > 0; ++r, budget -= cols)
                for (int c = 0; c < cols; ++c)
                    seen = seen + readCell(book, sheet, r, c);
        }
    } else {
        (void)xlBookErrorMessageA(book);
    }
    xlBookReleaseA(book);
    return 0;
}
