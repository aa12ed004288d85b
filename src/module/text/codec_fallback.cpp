#include "codec_fallback.h"

#include "utf8.h"

namespace ll::text {
namespace {

class AsciiFallbackCodec final : public Codec {
public:
    explicit AsciiFallbackCodec(CharsetCode code) : Codec(code) {}
    CodecBackend backend() const override { return CodecBackend::AsciiFallback; }
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
        const char* p = utf8.data();
        const char* end = p + utf8.size();
        while (n < capacity && p < end) {
            char32_t c = decodeOne(p, end);
            dst[n++] = c < 0x80 ? char(c) : kSubstitute;
        }
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

} // namespace

std::unique_ptr<Codec> makeAsciiFallbackCodec(CharsetCode code)
{
    return std::make_unique<AsciiFallbackCodec>(code);
}

} // namespace ll::text
