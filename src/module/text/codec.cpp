#include "codec.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "charset_tables.h"
#include "codec_fallback.h"
#include "codec_iconv.h"
#include "codec_icu.h"
#include "codec_nonlossy.h"
#include "codec_single_byte.h"
#include "codec_table.h"
#include "codec_unicode.h"
#include "codec_utf.h"

namespace ll::text {
namespace {

// A page of our own tables; a character two bytes read as writes to the
// lower one (ASCII punctuation in the Arabic and Farsi pages).
std::unique_ptr<Codec> makeTableCodec(CharsetCode code, const CharsetTable& table)
{
    std::vector<int16_t> byteOf(0x10000, -1);
    for (int b = 255; b >= 0; --b)
        if (table.toUnicode[b] < 0x10000)
            byteOf[table.toUnicode[b]] = int16_t(b);
    SingleByteSource source;
    source.decodeByte = [&table](uint8_t byte, std::string& utf8) {
        if (table.toUnicode[byte] == kUndefined)
            return false;
        appendUtf8(table.toUnicode[byte], utf8);
        return true;
    };
    source.encodeChar = [&byteOf](char32_t c) { return c < 0x10000 ? int(byteOf[c]) : -1; };
    return std::make_unique<SingleByteCodec>(code, CodecBackend::Own, std::string(table.name), source);
}

std::unique_ptr<Codec> makeOwnCodec(CharsetCode code, std::string_view form)
{
    if (form == "non-lossy-ASCII")
        return makeNonLossyAsciiCodec(code);
    for (const CharsetTable& table : charsetTables())
        if (table.name == form)
            return makeTableCodec(code, table);
    return makeUnicodeCodec(code, form);
}

std::unique_ptr<Codec> makeCodec(CharsetCode code)
{
    std::unique_ptr<Codec> codec;
    if (const CodecSpec* spec = findCodecSpec(code)) {
        switch (spec->backend) {
        case CodecBackend::Icu:
            codec = makeIcuCodec(code, spec->converter);
            break;
        case CodecBackend::Iconv:
            codec = makeIconvCodec(code, spec->converter);
            break;
        case CodecBackend::Own:
            codec = makeOwnCodec(code, spec->converter);
            break;
        case CodecBackend::AsciiFallback:
            break;
        }
    }
    // Also when a library lacks a converter it normally has.
    return codec ? std::move(codec) : makeAsciiFallbackCodec(code);
}

} // namespace

const Codec& Codec::forCode(CharsetCode code)
{
    // Codes outside the table share one fallback per code; the map only
    // grows with the distinct codes callers ask for.
    static std::mutex mutex;
    static std::map<CharsetCode, std::unique_ptr<Codec>> cache;
    std::lock_guard lock(mutex);
    std::unique_ptr<Codec>& slot = cache[code];
    if (!slot)
        slot = makeCodec(code);
    return *slot;
}

} // namespace ll::text
