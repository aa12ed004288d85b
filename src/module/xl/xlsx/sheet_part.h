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

struct SheetContext {
    const SharedStrings& sharedStrings;
    StringStore& strings;       // for inline and formula texts
    DateStyles& dateStyles;     // for t="d" cells
    bool date1904 = false;      // for t="d" cells
    uint64_t* cellBudget;       // cells the book may still take; counts down
};

// partSize: the part's declared inflated size (0 when unknown), which
// bounds the room reserved for cells.
LoadError readSheetPart(ChunkSource& source, std::string_view partName, uint64_t partSize,
                        const SheetContext& context, Sheet& sheet);

} // namespace ll::xl::xlsx
