#pragma once
// Text encoders and decoders by character-set code.
//
// A character-set code is the number the options store for an encoding
// (the table of 100 named character sets in src/options/charsets.h): small
// positive numbers for the classic encodings and 0x8000_0000 + n for the
// others. A Codec turns UTF-8 into the bytes of that code page and back.
//
// Codecs are made once per code and live for the whole process, so a
// caller may keep the reference. They are safe to use from several threads
// at once: single-byte code pages work from read-only tables, and codecs
// backed by a converter keep one converter per thread.
//
// Which converter serves which code is listed in codec_table.cpp.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ll::text {

using CharsetCode = int32_t;

// Where a codec's conversion comes from.
enum class CodecBackend : uint8_t {
    Icu,            // an ICU converter
    Iconv,          // a glibc iconv converter
    Own,            // our own code: Unicode forms, non-lossy ASCII, own page tables
    AsciiFallback,  // no converter exists for the code (see codec_fallback.h)
};

class Codec {
public:
    virtual ~Codec() = default;
    Codec(const Codec&) = delete;
    Codec& operator=(const Codec&) = delete;

    // The codec for a code; always the same object for a code. A code with
    // no converter on this platform, or one outside the table, yields the
    // ASCII fallback: available() is false, ASCII passes both ways, every
    // other character encodes as '?' and every byte above 0x7F fails to
    // decode.
    static const Codec& forCode(CharsetCode code);

    // What stands for a character the code page cannot hold: the page's
    // own question mark (byte 0x3F in ASCII-based pages, 0x6F in EBCDIC,
    // two or four bytes in the UTF-16 and UTF-32 forms).
    static constexpr char kSubstitute = '?';

    CharsetCode code() const { return code_; }
    // False when no converter exists here for the code.
    bool available() const { return backend() != CodecBackend::AsciiFallback; }
    virtual CodecBackend backend() const = 0;
    // True when every character takes exactly one byte.
    virtual bool singleByte() const = 0;
    // The converter's name (ICU or iconv, or ours), for logs and tests.
    virtual std::string_view converterName() const = 0;

    // Appends the encoded form of utf8 to out. Characters the code page
    // lacks become kSubstitute, one per character; so does each byte of
    // invalid UTF-8.
    virtual void encode(std::string_view utf8, std::string& out) const = 0;

    // Encodes into dst, writing at most capacity bytes and never splitting
    // a character (nor leaving a shift state open); returns the number of
    // bytes written: the longest prefix of the text that fits.
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
