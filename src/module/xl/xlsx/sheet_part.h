#pragma once
// A worksheet part's cells, streamed into a Sheet. Rows and cells without
// a reference continue from the previous position; cells past the grid
// are dropped; <dimension> is not read. No heap allocation per cell: texts
// collect in one reused buffer and numbers are parsed in place.

#include <cstdint>
#include <string_view>

#include "module/xl/load.h"

namespace ll::xl {
class Sheet;
}

namespace ll::xl::xlsx {

class ChunkSource;
class DateStyles;
class StringStore;
struct SharedStrings;

// Marks a cell's own text (inline or formula text) while the shared
// strings are still being read: the text's final index is only known once
// both are done (see remapStrings in xlsx_reader.cpp).
inline constexpr uint32_t kOwnTextMark = 0x80000000u;

struct SheetContext {
    const SharedStrings& sharedStrings;
    StringStore& strings;       // for inline and formula texts
    DateStyles& dateStyles;     // for t="d" cells
    bool date1904 = false;      // for t="d" cells
    uint64_t* cellBudget;       // cells the book may still take; counts down
    // True while another thread reads the shared strings: shared-string
    // cells keep the table's index unchecked and own texts carry
    // kOwnTextMark; both are settled after loading.
    bool sharedStringsLater = false;
};

// partSize: the part's declared inflated size (0 when unknown), which
// bounds the room reserved for cells.
LoadError readSheetPart(ChunkSource& source, std::string_view partName, uint64_t partSize,
                        const SheetContext& context, Sheet& sheet);

} // namespace ll::xl::xlsx
