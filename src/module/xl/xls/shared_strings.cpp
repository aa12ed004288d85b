#include "shared_strings.h"

#include <algorithm>

#include "biff_text.h"
#include "module/xl/book.h"

namespace ll::xl::xls {

SharedStringRange readSharedStrings(const Record& record, StringPool& pool, std::string& scratch)
{
    SharedStringRange range;
    range.base = uint32_t(pool.size());
    PieceReader reader(record);
    uint32_t total, unique;
    if (!reader.u32(total) || !reader.u32(unique))
        return range;

    // Every string takes at least three bytes, so the record's size bounds
    // the count it may claim.
    uint64_t bytes = 0;
    for (const ByteView& piece : *record.pieces)
        bytes += piece.size;
    pool.reserve(pool.size() + std::min<uint64_t>(unique, bytes / 3));

    for (uint32_t i = 0; i < unique; ++i) {
        bool whole = readBiff8String(reader, Biff8StringForm::SharedString, scratch);
        if (!whole && scratch.empty())
            break;
        pool.add(scratch);
        ++range.count;
        if (!whole)
            break;
    }
    return range;
}

} // namespace ll::xl::xls
