#include "codec_unicode.h"

#include <cstring>

#include "codec_utf.h"
#include "utf8.h"

namespace ll::text {
namespace {

class Utf8Codec final : public Codec {
public:
    explicit Utf8Codec(CharsetCode code) : Codec(code) {}
    CodecBackend backend() const override { return CodecBackend::Own; }
    bool singleByte() const override { return false; }
    std::string_view converterName() const override { return "UTF-8"; }

    void encode(std::string_view utf8, std::string& out) const override
    {
        thread_local std::string cleaned;
        out.append(utf8Replacing(utf8, cleaned));
    }

    size_t encodeInto(std::string_view utf8, char* dst, size_t capacity) const override
    {
        if (utf8.size() <= capacity && isValidUtf8(utf8)) {
            std::memcpy(dst, utf8.data(), utf8.size());
            return utf8.size();
        }
        size_t n = 0;
        const char* p = utf8.data();
        const char* end = p + utf8.size();
        while (p < end) {
            const char* start = p;
            bool invalid = decodeOne(p, end) == kInvalid;
            size_t length = invalid ? 1 : size_t(p - start);
            if (n + length > capacity)
                break;
            if (invalid)
                dst[n] = kSubstitute;
            else
                std::memcpy(dst + n, start, length);
            n += length;
        }
        return n;
    }

    bool decode(std::string_view bytes, std::string& out) const override
    {
        if (!isValidUtf8(bytes))
            return false;
        out.append(bytes);
        return true;
    }
};

class UtfCodec final : public Codec {
public:
    UtfCodec(CharsetCode code, std::string_view name, size_t unitSize, bool bigEndian, bool bom)
        : Codec(code), name_(name), unitSize_(unitSize), bigEndian_(bigEndian), bom_(bom)
    {
    }
    CodecBackend backend() const override { return CodecBackend::Own; }
    bool singleByte() const override { return false; }
    std::string_view converterName() const override { return name_; }

    void encode(std::string_view utf8, std::string& out) const override
    {
        size_t start = out.size();
        size_t room = (utf8.size() + 1) * unitSize_;
        out.resize(start + room);
        out.resize(start + encodeInto(utf8, out.data() + start, room));
    }

    size_t encodeInto(std::string_view utf8, char* dst, size_t capacity) const override
    {
        size_t n = 0;
        const char* p = utf8.data();
        const char* end = p + utf8.size();
        while (p < end) {
            char32_t c = decodeOne(p, end);
            if (c == kInvalid)
                c = U'?';
            size_t mark = (bom_ && n == 0) ? unitSize_ : 0;
            size_t length = (unitSize_ == 2 && c >= 0x10000) ? 4 : unitSize_;
            if (n + mark + length > capacity)
                break;
            if (mark)
                n += put(0xFEFF, dst + n);
            if (length == 4 && unitSize_ == 2) {
                n += put(0xD7C0 + (c >> 10), dst + n);
                n += put(0xDC00 | (c & 0x3FF), dst + n);
            } else {
                n += put(c, dst + n);
            }
        }
        return n;
    }

    bool decode(std::string_view bytes, std::string& out) const override
    {
        if (bytes.size() % unitSize_ != 0)
            return false;
        bool bigEndian = bigEndian_;
        size_t i = 0;
        if (bom_ && bytes.size() >= unitSize_) {
            if (get(bytes.data(), false) == 0xFEFF) {
                bigEndian = false;
                i = unitSize_;
            } else if (get(bytes.data(), true) == 0xFEFF) {
                bigEndian = true;
                i = unitSize_;
            }
        }
        for (; i < bytes.size(); i += unitSize_) {
            char32_t c = get(bytes.data() + i, bigEndian);
            if (unitSize_ == 2 && c >= 0xD800 && c <= 0xDBFF && i + 2 < bytes.size()) {
                char32_t low = get(bytes.data() + i + 2, bigEndian);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            }
            if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
                return false;
            appendUtf8(c, out);
        }
        return true;
    }

private:
    size_t put(char32_t value, char* dst) const
    {
        for (size_t k = 0; k < unitSize_; ++k) {
            size_t shift = 8 * (bigEndian_ ? unitSize_ - 1 - k : k);
            dst[k] = char((value >> shift) & 0xFF);
        }
        return unitSize_;
    }

    char32_t get(const char* src, bool bigEndian) const
    {
        char32_t value = 0;
        for (size_t k = 0; k < unitSize_; ++k) {
            size_t shift = 8 * (bigEndian ? unitSize_ - 1 - k : k);
            value |= char32_t(static_cast<unsigned char>(src[k])) << shift;
        }
        return value;
    }

    std::string_view name_;
    size_t unitSize_;
    bool bigEndian_;
    bool bom_;
};

} // namespace

std::unique_ptr<Codec> makeUnicodeCodec(CharsetCode code, std::string_view form)
{
    struct Form {
        std::string_view name;
        size_t unitSize;
        bool bigEndian;
        bool bom;
    };
    static constexpr Form kForms[] = {
        {"UTF-16", 2, false, true},   {"UTF-16LE", 2, false, false}, {"UTF-16BE", 2, true, false},
        {"UTF-32", 4, false, true},   {"UTF-32LE", 4, false, false}, {"UTF-32BE", 4, true, false},
    };
    if (form == "UTF-8")
        return std::make_unique<Utf8Codec>(code);
    for (const Form& f : kForms)
        if (f.name == form)
            return std::make_unique<UtfCodec>(code, f.name, f.unitSize, f.bigEndian, f.bom);
    return nullptr;
}

} // namespace ll::text
