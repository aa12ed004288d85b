#pragma once
// The shared-string table: every <si> goes into the book's string pool once,
// in order, so shared string i is pool entry first + i. Rich-text runs are
// joined; phonetic runs (<rPh>) are left out; _xHHHH_ escapes are decoded.

#include <cstdint>
#include <string_view>

#include "module/xl/load.h"

namespace ll::xl {
class StringPool;
}

namespace ll::xl::xlsx {

class ChunkSource;

struct SharedStrings {
    uint32_t first = 0; // pool index of shared string 0
    uint32_t count = 0;
};

// partSize: the part's declared inflated size (0 when unknown), which
// bounds how much the declared uniqueCount may reserve.
LoadError readSharedStrings(ChunkSource& source, std::string_view partName, uint64_t partSize, StringPool& pool,
                            SharedStrings& table);

} // namespace ll::xl::xlsx
