#pragma once
// Texts that cells carry themselves (inline strings, formula text results)
// go into the book's string pool once each: a repeated text reuses the
// index of its first copy.

#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "module/xl/load.h"

namespace ll::xl {
class StringPool;
}

namespace ll::xl::xlsx {

class StringStore {
public:
    explicit StringStore(StringPool& pool) : pool_(pool) {}
    // False when the book already holds kMaxStrings texts.
    bool add(std::string_view text, uint32_t& index);

private:
    StringPool& pool_;
    // Keys view the pool's own bytes, which never move.
    std::unordered_map<std::string_view, uint32_t> seen_;
};

} // namespace ll::xl::xlsx
