#include "codec.h"

#include <unicode/ucnv.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>

#include "utf8.h"

namespace ll::text {
namespace {

// Converter names by code. Codes missing here have no converter.
const std::map<CharsetCode, const char*>& converterNames()
{
    static const std::map<CharsetCode, const char*> names = {
        {1, "US-ASCII"}, {3, "EUC-JP"}, {4, "UTF-8"}, {5, "ISO-8859-1"},
        {8, "windows-31j"}, {9, "ISO-8859-2"}, {10, "UTF-16"},
        {11, "windows-1251"}, {12, "windows-1252"}, {13, "windows-1253"},
        {14, "windows-1254"}, {15, "windows-1250"}, {21, "ISO-2022-JP"}, {30, "macintosh"},
    };
    return names;
}

// ASCII behaviour for codes without a converter: ASCII passes, everything
// else becomes the substitute, and only ASCII bytes decode.
class AsciiFallbackCodec final : public Codec {
public:
    explicit AsciiFallbackCodec(CharsetCode code) : Codec(code) {}
    bool available() const override { return false; }
    bool singleByte() const override { return true; }
    std::string_view converterName() const override { return "ascii-fallback"; }
    void encode(std::string_view utf8, std::string& out) const override
    {
        size_t start = out.size();
        out.resize(start + utf8.size());
        out.resize(start + encodeInto(utf8, out.data() + start, utf8.size()));
    }
    size_t encodeInto(std::string_view utf8, char* dst, size_t capacity) const override
    {
        size_t n = 0;
        Utf8Reader reader(utf8);
        char32_t c;
        while (n < capacity && reader.next(c))
            dst[n++] = c < 0x80 ? char(c) : kSubstitute;
        return n;
    }
    bool decode(std::string_view bytes, std::string& out) const override
    {
        for (unsigned char b : bytes)
            if (b >= 0x80)
                return false;
        out.append(bytes);
        return true;
    }
};

// Any ICU converter, used for multi-byte code pages and for decoding.
class IcuCodec : public Codec {
public:
    IcuCodec(CharsetCode code, const char* name, UConverter* probe)
        : Codec(code), name_(name), singleByte_(ucnv_getMaxCharSize(probe) == 1) {}

    bool available() const override { return true; }
    bool singleByte() const override { return singleByte_; }
    std::string_view converterName() const override { return name_; }

    void encode(std::string_view utf8, std::string& out) const override
    {
        size_t start = out.size();
        size_t room = utf8.size() * 4 + 16;
        out.resize(start + room);
        out.resize(start + encodeInto(utf8, out.data() + start, room));
    }

    size_t encodeInto(std::string_view utf8, char* dst, size_t capacity) const override
    {
        // Character by character so that the capacity never splits one.
        UErrorCode status = U_ZERO_ERROR;
        UConverter* cnv = ucnv_open(name_, &status);
        if (U_FAILURE(status))
            return 0;
        ucnv_setSubstChars(cnv, &kSubstitute, 1, &status);
        size_t written = 0;
        Utf8Reader reader(utf8);
        char32_t c;
        char buffer[32];
        while (reader.next(c)) {
            UChar units[2];
            int32_t count = 0;
            if (c == kInvalid) {
                units[count++] = UChar(kSubstitute);
            } else if (c >= 0x10000) {
                units[count++] = UChar(0xD7C0 + (c >> 10));
                units[count++] = UChar(0xDC00 | (c & 0x3FF));
            } else {
                units[count++] = UChar(c);
            }
            status = U_ZERO_ERROR;
            char* target = buffer;
            const UChar* source = units;
            ucnv_fromUnicode(cnv, &target, buffer + sizeof buffer, &source, units + count, nullptr, false, &status);
            size_t n = size_t(target - buffer);
            if (U_FAILURE(status) || written + n > capacity)
                break;
            std::copy(buffer, target, dst + written);
            written += n;
        }
        // Flush any state (shift sequences of ISO-2022 encodings).
        status = U_ZERO_ERROR;
        char* target = buffer;
        const UChar* none = nullptr;
        ucnv_fromUnicode(cnv, &target, buffer + sizeof buffer, &none, none, nullptr, true, &status);
        size_t n = size_t(target - buffer);
        if (U_SUCCESS(status) && written + n <= capacity) {
            std::copy(buffer, target, dst + written);
            written += n;
        }
        ucnv_close(cnv);
        return written;
    }

    bool decode(std::string_view bytes, std::string& out) const override
    {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* from = ucnv_open(name_, &status);
        UConverter* to = ucnv_open("UTF-8", &status);
        if (U_SUCCESS(status)) {
            ucnv_setToUCallBack(from, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        }
        bool ok = U_SUCCESS(status);
        if (ok) {
            size_t start = out.size();
            out.resize(start + bytes.size() * 4 + 16);
            char* target = out.data() + start;
            const char* source = bytes.data();
            ucnv_convertEx(to, from, &target, out.data() + out.size(), &source, source + bytes.size(),
                           nullptr, nullptr, nullptr, nullptr, true, true, &status);
            ok = U_SUCCESS(status);
            out.resize(ok ? size_t(target - out.data()) : start);
        }
        ucnv_close(from);
        ucnv_close(to);
        return ok;
    }

protected:
    const char* name_;

private:
    bool singleByte_;
};

// Single-byte code pages encode through a table of the Basic Multilingual
// Plane built once from the ICU converter.
class SingleByteCodec final : public IcuCodec {
public:
    SingleByteCodec(CharsetCode code, const char* name, UConverter* probe) : IcuCodec(code, name, probe)
    {
        table_.fill(0);
        mapped_.fill(0);
        for (uint32_t b = 1; b < 256; ++b) {
            char byte = char(b);
            UChar unit = 0;
            UErrorCode status = U_ZERO_ERROR;
            ucnv_reset(probe);
            ucnv_setToUCallBack(probe, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
            const char* source = &byte;
            UChar* target = &unit;
            ucnv_toUnicode(probe, &target, &unit + 1, &source, &byte + 1, nullptr, true, &status);
            if (U_SUCCESS(status) && target == &unit + 1 && !mapped_[unit]) {
                table_[unit] = uint8_t(b);
                mapped_[unit] = 1;
            }
        }
        table_[0] = 0;
        mapped_[0] = 1;
    }

    size_t encodeInto(std::string_view utf8, char* dst, size_t capacity) const override
    {
        size_t n = 0;
        const char* p = utf8.data();
        const char* end = p + utf8.size();
        while (n < capacity && p < end) {
            unsigned char b = static_cast<unsigned char>(*p);
            if (b < 0x80 && mapped_[b]) {
                dst[n++] = char(table_[b]);
                ++p;
                continue;
            }
            char32_t c = decodeOne(p, end);
            dst[n++] = (c < 0x10000 && mapped_[c]) ? char(table_[c]) : kSubstitute;
        }
        return n;
    }

    void encode(std::string_view utf8, std::string& out) const override
    {
        size_t start = out.size();
        out.resize(start + utf8.size());
        out.resize(start + encodeInto(utf8, out.data() + start, utf8.size()));
    }

private:
    std::array<uint8_t, 0x10000> table_;
    std::array<uint8_t, 0x10000> mapped_;
};

std::unique_ptr<Codec> makeCodec(CharsetCode code)
{
    auto it = converterNames().find(code);
    if (it != converterNames().end()) {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* probe = ucnv_open(it->second, &status);
        if (U_SUCCESS(status)) {
            std::unique_ptr<Codec> codec;
            if (ucnv_getMaxCharSize(probe) == 1)
                codec = std::make_unique<SingleByteCodec>(code, it->second, probe);
            else
                codec = std::make_unique<IcuCodec>(code, it->second, probe);
            ucnv_close(probe);
            return codec;
        }
    }
    return std::make_unique<AsciiFallbackCodec>(code);
}

} // namespace

const Codec& Codec::forCode(CharsetCode code)
{
    static std::mutex mutex;
    static std::map<CharsetCode, std::unique_ptr<Codec>> cache;
    std::lock_guard lock(mutex);
    auto& slot = cache[code];
    if (!slot)
        slot = makeCodec(code);
    return *slot;
}

} // namespace ll::text
