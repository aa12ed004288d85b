// Feeds arbitrary bytes to the .xlsx loader and, when they load, reads every
// sheet and cell through the xl API as the conversion would.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "module/xl/xl_api.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BookHandle book = xlCreateXMLBookCA();
    xlBookSetLocaleA(book, "UTF-8");
    if (xlBookLoadRawA(book, reinterpret_cast<const char*>(data), unsigned(size))) {
        size_t sink = 0;
        for (int i = 0; i < xlBookSheetCountA(book); ++i) {
            SheetHandle sheet = xlBookGetSheetA(book, i);
            sink += std::strlen(xlSheetNameA(sheet));
            // Bounded so that a sparse sheet with a far cell stays quick.
            int rows = xlSheetLastRowA(sheet) < 2000 ? xlSheetLastRowA(sheet) : 2000;
            int cols = xlSheetLastColA(sheet) < 300 ? xlSheetLastColA(sheet) : 300;
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < cols; ++c) {
                    FormatHandle format = nullptr;
                    switch (xlSheetCellTypeA(sheet, r, c)) {
                    case CELLTYPE_NUMBER: {
                        double value = xlSheetReadNumA(sheet, r, c, &format);
                        if (xlSheetIsDateA(sheet, r, c)) {
                            int y, m, d, h, mi, s, ms;
                            xlBookDateUnpackA(book, value, &y, &m, &d, &h, &mi, &s, &ms);
                        }
                        break;
                    }
                    case CELLTYPE_STRING:
                        if (const char* text = xlSheetReadStrA(sheet, r, c, &format))
                            sink += std::strlen(text);
                        break;
                    case CELLTYPE_BOOLEAN:
                        sink += size_t(xlSheetReadBoolA(sheet, r, c, &format));
                        break;
                    default:
                        format = xlSheetCellFormatA(sheet, r, c);
                        break;
                    }
                    int id = xlFormatNumFormatA(format);
                    if (const char* custom = xlBookCustomNumFormatA(book, id))
                        sink += std::strlen(custom);
                }
            }
        }
        (void)sink;
    }
    xlBookReleaseA(book);
    return 0;
}
