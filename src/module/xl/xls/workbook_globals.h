#pragma once
// The workbook-globals substream at the start of a BIFF5/7/8 workbook
// stream: the sheet list, shared strings, number formats, styles (XF),
// date system and code page.

#include <cstdint>
#include <string>
#include <vector>

#include "biff_error.h"
#include "byte_view.h"
#include "shared_strings.h"

namespace ll::xl {
class Book;
}

namespace ll::xl::xls {

class CodePage;

struct BoundSheet {
    enum Type : uint8_t { Worksheet = 0, Macro = 1, Chart = 2, VisualBasic = 6 };
    std::string name;
    uint32_t offset = 0; // of the sheet's BOF record in the stream
    uint8_t type = Worksheet; // dialog sheets are worksheets here
};

struct WorkbookGlobals {
    int biff = 8; // 5 for BIFF5/7, 8 for BIFF8
    std::vector<BoundSheet> sheets;
    SharedStringRange sharedStrings;
};

// Reads the globals into the book (date system, shared strings, every XF's
// format id and every FORMAT text) and lists the sheets. Selects the code
// page for BIFF5/7 texts. Fails on a FILEPASS record (encrypted workbook),
// on BIFF2-4 and unknown versions, and on a substream cut short.
BiffError readGlobals(ByteView stream, Book& book, CodePage& codePage, WorkbookGlobals& out);

} // namespace ll::xl::xls
