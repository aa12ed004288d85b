#pragma once
// A code page of one byte per character, served from two tables read once
// from a converter: byte -> UTF-8 for decoding and code point -> byte for
// encoding. No converter is used after construction, so one object serves
// any number of threads.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "codec.h"

namespace ll::text {

// What a converter says about the page, asked once per byte and once per
// BMP code point while the tables are built.
struct SingleByteSource {
    // Appends the UTF-8 text a byte decodes to; false when it is not valid.
    std::function<bool(uint8_t byte, std::string& utf8)> decodeByte;
    // The byte a code point encodes to, or -1 when the page lacks it.
    std::function<int(char32_t c)> encodeChar;
};

class SingleByteCodec final : public Codec {
public:
    SingleByteCodec(CharsetCode code, CodecBackend backend, std::string name, const SingleByteSource& source);

    CodecBackend backend() const override { return backend_; }
    bool singleByte() const override { return true; }
    std::string_view converterName() const override { return name_; }
    void encode(std::string_view utf8, std::string& out) const override;
    size_t encodeInto(std::string_view utf8, char* dst, size_t capacity) const override;
    bool decode(std::string_view bytes, std::string& out) const override;

private:
    // Longest UTF-8 text one byte may decode to; longer ones count as
    // undefined (no page in the table comes near).
    static constexpr size_t kMaxDecoded = 12;

    void buildEncodeTable(const SingleByteSource& source);
    void buildDecodeTable(const SingleByteSource& source);
    char lookup(char32_t c) const
    {
        if (c >= 0x10000)
            return substitute_;
        uint8_t b = pages_[pageIndex_[c >> 8]][c & 0xFF];
        return (b != 0 || c == 0) ? char(b) : substitute_;
    }

    CodecBackend backend_;
    std::string name_;
    char substitute_ = Codec::kSubstitute;
    bool asciiIdentity_ = false;
    size_t maxDecoded_ = 1;
    // Encoding: a page of 256 bytes per high byte of the code point; byte
    // 0 marks "not in the code page" (only U+0000 maps to byte 0). Page 0
    // of pages_ is all zeros and serves every empty block.
    std::array<uint16_t, 256> pageIndex_{};
    std::vector<std::array<uint8_t, 256>> pages_;
    // Decoding: each byte's UTF-8 text; length 0 marks an undefined byte.
    std::array<uint8_t, 256> decodedLength_{};
    std::array<std::array<char, kMaxDecoded>, 256> decoded_{};
};

} // namespace ll::text
