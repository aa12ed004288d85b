#pragma once
// Text encoders and decoders by character-set code.
//
// A character-set code is the number the options store for an encoding
// (the table of 100 named character sets in src/options/charsets.h): small
// positive numbers for the classic encodings and 0x8000_0000 + n for the
// others. A Codec turns UTF-8 into the bytes of that code page and back.
//
// Codecs are made once per code and live for the whole process, so a
// caller may keep the pointer. Encoding is on the conversion's hot path:
// single-byte code pages encode through a precomputed table, and every
// encoder has an ASCII fast path.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ll::text {

using CharsetCode = int32_t;

class Codec {
public:
    virtual ~Codec() = default;

    // The codec for a code; never null. A code with no converter on this
    // platform yields a codec whose available() is false and which behaves
    // as plain ASCII (see codec.cpp).
    static const Codec& forCode(CharsetCode code);

    // The byte substituted for a character the code page cannot hold.
    static constexpr char kSubstitute = '?';

    CharsetCode code() const { return code_; }
    // False when no converter exists here for the code.
    virtual bool available() const = 0;
    // True when every character takes exactly one byte.
    virtual bool singleByte() const = 0;
    // The converter's name (ICU or iconv), for logs and tests.
    virtual std::string_view converterName() const = 0;

    // Appends the encoded form of utf8 to out. Characters the code page
    // lacks, and invalid UTF-8, become kSubstitute (one per character).
    virtual void encode(std::string_view utf8, std::string& out) const = 0;

    // Encodes into dst, writing at most capacity bytes and never splitting
    // a character; returns the number of bytes written.
    virtual size_t encodeInto(std::string_view utf8, char* dst, size_t capacity) const = 0;

    // Decodes bytes of this code page into UTF-8 appended to out. Returns
    // false (out unspecified) when the bytes are not valid in the code page.
    virtual bool decode(std::string_view bytes, std::string& out) const = 0;

protected:
    explicit Codec(CharsetCode code) : code_(code) {}

private:
    CharsetCode code_;
};

} // namespace ll::text
