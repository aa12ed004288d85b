#pragma once
// Small UTF helpers shared by the codecs.

#include <string>
#include <string_view>

namespace ll::text {

// Appends one code point as UTF-8 (the caller passes a valid scalar value).
inline void appendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Replaces out with the UTF-16 form of utf8, each byte of invalid UTF-8
// becoming '?'.
void utf8ToUtf16Replacing(std::string_view utf8, std::u16string& out);

// utf8 itself when it is valid; otherwise a copy in scratch with each
// invalid byte replaced by '?'.
std::string_view utf8Replacing(std::string_view utf8, std::string& scratch);

// Appends well-formed UTF-16 as UTF-8; false on an unpaired surrogate.
bool appendUtf16AsUtf8(std::u16string_view units, std::string& out);

} // namespace ll::text
