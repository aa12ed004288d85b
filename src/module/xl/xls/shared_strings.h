#pragma once
// The shared-string table (SST) of a BIFF8 workbook.

#include <cstdint>
#include <string>

#include "record_iterator.h"

namespace ll::xl {
class StringPool;
}

namespace ll::xl::xls {

// Where the table's strings landed in the book's string pool: string i of
// the table is pool entry base + i, for i < count.
struct SharedStringRange {
    uint32_t base = 0;
    uint32_t count = 0;
};

// Adds the strings of an SST record (with its CONTINUE pieces) to the pool,
// each once. Reads as many as the record holds, whatever count it claims;
// a string cut off by the record's end is kept as far as it goes.
SharedStringRange readSharedStrings(const Record& record, StringPool& pool, std::string& scratch);

} // namespace ll::xl::xls
