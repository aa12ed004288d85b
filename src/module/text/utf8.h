#pragma once
// Minimal UTF-8 decoding for the text hot paths.

#include <cstdint>
#include <string_view>

namespace ll::text {

// Returned for a malformed sequence; one is returned per bad byte.
inline constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one character at p (p < end) and advances p past it.
inline char32_t decodeOne(const char*& p, const char* end)
{
    auto byte = [](const char* q) { return static_cast<unsigned char>(*q); };
    unsigned char b0 = byte(p);
    if (b0 < 0x80) {
        ++p;
        return b0;
    }
    int length = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 0;
    if (length == 0 || b0 > 0xF4 || end - p < length) {
        ++p;
        return kInvalid;
    }
    char32_t c = b0 & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        unsigned char b = byte(p + i);
        if ((b & 0xC0) != 0x80) {
            ++p;
            return kInvalid;
        }
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMinimum[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++p;
        return kInvalid;
    }
    p += length;
    return c;
}

// Walks a UTF-8 text character by character.
class Utf8Reader {
public:
    explicit Utf8Reader(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}
    bool next(char32_t& c)
    {
        if (p_ >= end_)
            return false;
        c = decodeOne(p_, end_);
        return true;
    }
    const char* position() const { return p_; }

private:
    const char* p_;
    const char* end_;
};

// True when every byte forms valid UTF-8.
bool isValidUtf8(std::string_view text);

} // namespace ll::text
