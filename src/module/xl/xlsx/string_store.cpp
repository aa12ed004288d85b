#include "string_store.h"

#include "limits.h"
#include "module/xl/book.h"

namespace ll::xl::xlsx {

bool StringStore::add(std::string_view text, uint32_t& index)
{
    auto it = seen_.find(text);
    if (it != seen_.end()) {
        index = it->second;
        return true;
    }
    if (pool_.size() >= kMaxStrings)
        return false;
    index = pool_.add(text);
    if (seen_.size() < kMaxDedupedInlineStrings)
        seen_.emplace(pool_.view(index), index);
    return true;
}

} // namespace ll::xl::xlsx
