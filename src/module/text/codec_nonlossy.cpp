#include "codec_nonlossy.h"

#include "codec_utf.h"
#include "utf8.h"

namespace ll::text {
namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The UTF-16 unit of a \uXXXX escape at text[i], or -1 when there is none.
int escapedUnit(std::string_view text, size_t i)
{
    if (i + 6 > text.size() || text[i] != '\\' || text[i + 1] != 'u')
        return -1;
    int unit = 0;
    for (size_t k = i + 2; k < i + 6; ++k) {
        int digit = hexValue(text[k]);
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

// The Latin-1 character of a \ooo escape at text[i], or -1.
int octalEscape(std::string_view text, size_t i)
{
    if (i + 4 > text.size() || text[i] != '\\' || text[i + 1] < '0' || text[i + 1] > '3')
        return -1;
    int value = 0;
    for (size_t k = i + 1; k < i + 4; ++k) {
        if (text[k] < '0' || text[k] > '7')
            return -1;
        value = value * 8 + (text[k] - '0');
    }
    return value;
}

class NonLossyAsciiCodec final : public Codec {
public:
    explicit NonLossyAsciiCodec(CharsetCode code) : Codec(code) {}
    CodecBackend backend() const override { return CodecBackend::Own; }
    bool singleByte() const override { return false; }
    std::string_view converterName() const override { return "non-lossy-ASCII"; }

    void encode(std::string_view utf8, std::string& out) const override
    {
        size_t start = out.size();
        size_t room = utf8.size() * 3;  // six bytes of escape per two bytes of UTF-8 at worst
        out.resize(start + room);
        out.resize(start + encodeInto(utf8, out.data() + start, room));
    }

    size_t encodeInto(std::string_view utf8, char* dst, size_t capacity) const override
    {
        static constexpr char kHex[] = "0123456789abcdef";
        size_t n = 0;
        const char* p = utf8.data();
        const char* end = p + utf8.size();
        while (p < end) {
            char32_t c = decodeOne(p, end);
            if (c == kInvalid)
                c = U'?';
            if (c < 0x80 && c != U'\\') {
                if (n + 1 > capacity)
                    break;
                dst[n++] = char(c);
                continue;
            }
            if (c == U'\\') {
                if (n + 2 > capacity)
                    break;
                dst[n++] = '\\';
                dst[n++] = '\\';
                continue;
            }
            char32_t units[2] = {c, 0};
            size_t count = 1;
            if (c >= 0x10000) {
                units[0] = 0xD7C0 + (c >> 10);
                units[1] = 0xDC00 | (c & 0x3FF);
                count = 2;
            }
            if (n + 6 * count > capacity)
                break;
            for (size_t k = 0; k < count; ++k) {
                dst[n++] = '\\';
                dst[n++] = 'u';
                for (int shift = 12; shift >= 0; shift -= 4)
                    dst[n++] = kHex[(units[k] >> shift) & 0xF];
            }
        }
        return n;
    }

    bool decode(std::string_view bytes, std::string& out) const override
    {
        for (size_t i = 0; i < bytes.size();) {
            unsigned char b = static_cast<unsigned char>(bytes[i]);
            if (b >= 0x80)
                return false;
            if (b != '\\') {
                out += char(b);
                ++i;
                continue;
            }
            if (int unit = escapedUnit(bytes, i); unit >= 0) {
                char32_t c = char32_t(unit);
                i += 6;
                if (c >= 0xDC00 && c <= 0xDFFF)
                    return false;
                if (c >= 0xD800 && c <= 0xDBFF) {
                    int low = escapedUnit(bytes, i);
                    if (low < 0xDC00 || low > 0xDFFF)
                        return false;
                    c = 0x10000 + ((c - 0xD800) << 10) + char32_t(low - 0xDC00);
                    i += 6;
                }
                appendUtf8(c, out);
            } else if (int latin1 = octalEscape(bytes, i); latin1 >= 0) {
                appendUtf8(char32_t(latin1), out);
                i += 4;
            } else if (i + 1 < bytes.size() && bytes[i + 1] == '\\') {
                out += '\\';
                i += 2;
            } else {
                out += '\\';
                ++i;
            }
        }
        return true;
    }
};

} // namespace

std::unique_ptr<Codec> makeNonLossyAsciiCodec(CharsetCode code)
{
    return std::make_unique<NonLossyAsciiCodec>(code);
}

} // namespace ll::text
