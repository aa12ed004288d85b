#include "codec_single_byte.h"

#include <cstring>

#include "utf8.h"

namespace ll::text {

SingleByteCodec::SingleByteCodec(CharsetCode code, CodecBackend backend, std::string name,
                                 const SingleByteSource& source)
    : Codec(code), backend_(backend), name_(std::move(name))
{
    buildEncodeTable(source);
    buildDecodeTable(source);
    substitute_ = lookup(U'?');
    for (uint8_t length : decodedLength_)
        maxDecoded_ = std::max<size_t>(maxDecoded_, length);
    asciiIdentity_ = true;
    for (char32_t c = 0; c < 0x80; ++c)
        asciiIdentity_ = asciiIdentity_ && lookup(c) == char(c) && decodedLength_[c] == 1 && decoded_[c][0] == char(c);
}

void SingleByteCodec::buildEncodeTable(const SingleByteSource& source)
{
    pages_.assign(1, {});
    pageIndex_.fill(0);
    for (char32_t high = 0; high < 0x100; ++high) {
        std::array<uint8_t, 256> page{};
        bool any = false;
        for (char32_t low = 0; low < 0x100; ++low) {
            char32_t c = (high << 8) | low;
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            int b = source.encodeChar(c);
            // Byte 0 is reserved for U+0000; no page maps anything else there.
            if (b > 0 && b < 256) {
                page[low] = uint8_t(b);
                any = true;
            }
        }
        if (any) {
            pageIndex_[high] = uint16_t(pages_.size());
            pages_.push_back(page);
        }
    }
}

void SingleByteCodec::buildDecodeTable(const SingleByteSource& source)
{
    std::string utf8;
    for (int b = 0; b < 256; ++b) {
        utf8.clear();
        if (!source.decodeByte(uint8_t(b), utf8) || utf8.empty() || utf8.size() > kMaxDecoded)
            continue;
        std::memcpy(decoded_[b].data(), utf8.data(), utf8.size());
        decodedLength_[b] = uint8_t(utf8.size());
    }
}

size_t SingleByteCodec::encodeInto(std::string_view utf8, char* dst, size_t capacity) const
{
    // Stores through dst may alias any object, so the tables are read
    // through locals to keep them in registers.
    const uint16_t* pageIndex = pageIndex_.data();
    const std::array<uint8_t, 256>* pages = pages_.data();
    const char substitute = substitute_;
    const bool asciiIdentity = asciiIdentity_;
    auto lookup = [&](char32_t c) {
        if (c >= 0x10000)
            return substitute;
        uint8_t b = pages[pageIndex[c >> 8]][c & 0xFF];
        return (b != 0 || c == 0) ? char(b) : substitute;
    };
    const char* p = utf8.data();
    const char* end = p + utf8.size();
    size_t n = 0;
    while (n < capacity && p < end) {
        unsigned char b = static_cast<unsigned char>(*p);
        if (b < 0x80 && asciiIdentity) {
            dst[n++] = char(b);
            ++p;
            continue;
        }
        // Two-byte sequences (Latin, Greek, Cyrillic, Hebrew, Arabic) are
        // most of what these pages hold; decode them inline.
        if (b >= 0xC2 && b < 0xE0 && end - p >= 2 && (static_cast<unsigned char>(p[1]) & 0xC0) == 0x80) {
            dst[n++] = lookup((char32_t(b & 0x1F) << 6) | (static_cast<unsigned char>(p[1]) & 0x3F));
            p += 2;
            continue;
        }
        char32_t c = decodeOne(p, end);
        dst[n++] = c == kInvalid ? substitute : lookup(c);
    }
    return n;
}

void SingleByteCodec::encode(std::string_view utf8, std::string& out) const
{
    size_t start = out.size();
    out.resize(start + utf8.size());
    out.resize(start + encodeInto(utf8, out.data() + start, utf8.size()));
}

bool SingleByteCodec::decode(std::string_view bytes, std::string& out) const
{
    size_t start = out.size();
    out.resize(start + bytes.size() * maxDecoded_);
    char* q = out.data() + start;
    for (unsigned char b : bytes) {
        size_t length = decodedLength_[b];
        if (length == 0)
            return false;
        if (length == 1)
            *q = decoded_[b][0];
        else
            std::memcpy(q, decoded_[b].data(), length);
        q += length;
    }
    out.resize(size_t(q - out.data()));
    return true;
}

} // namespace ll::text
