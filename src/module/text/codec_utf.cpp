#include "codec_utf.h"

#include "utf8.h"

namespace ll::text {

void utf8ToUtf16Replacing(std::string_view utf8, std::u16string& out)
{
    out.resize(utf8.size());  // never more units than bytes
    char16_t* q = out.data();
    const char* p = utf8.data();
    const char* end = p + utf8.size();
    while (p < end) {
        unsigned char b = static_cast<unsigned char>(*p);
        if (b < 0x80) {
            *q++ = b;
            ++p;
            continue;
        }
        char32_t c = decodeOne(p, end);
        if (c == kInvalid) {
            *q++ = u'?';
        } else if (c >= 0x10000) {
            *q++ = char16_t(0xD7C0 + (c >> 10));
            *q++ = char16_t(0xDC00 | (c & 0x3FF));
        } else {
            *q++ = char16_t(c);
        }
    }
    out.resize(size_t(q - out.data()));
}

std::string_view utf8Replacing(std::string_view utf8, std::string& scratch)
{
    if (isValidUtf8(utf8))
        return utf8;
    scratch.clear();
    const char* p = utf8.data();
    const char* end = p + utf8.size();
    while (p < end) {
        const char* start = p;
        if (decodeOne(p, end) == kInvalid)
            scratch += '?';
        else
            scratch.append(start, p);
    }
    return scratch;
}

bool appendUtf16AsUtf8(std::u16string_view units, std::string& out)
{
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c >= 0xDC00 || i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)
                return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        }
        appendUtf8(c, out);
    }
    return true;
}

} // namespace ll::text
