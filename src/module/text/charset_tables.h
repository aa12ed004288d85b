#pragma once
// Byte -> Unicode tables of the single-byte pages we serve ourselves
// (charset_tables.cpp, generated from the vendor's published mappings by
// tests/module/text/data/make_charset_tables.pl).

#include <span>
#include <string_view>

namespace ll::text {

inline constexpr char32_t kUndefined = 0xFFFFFFFF;

struct CharsetTable {
    std::string_view name;         // as codec_table.cpp names it
    const char32_t (&toUnicode)[256];
};

std::span<const CharsetTable> charsetTables();

} // namespace ll::text
