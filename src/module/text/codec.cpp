#include "codec.h"

#include <map>
#include <memory>
#include <mutex>

#include "codec_fallback.h"
#include "codec_iconv.h"
#include "codec_icu.h"
#include "codec_nonlossy.h"
#include "codec_table.h"
#include "codec_unicode.h"

namespace ll::text {
namespace {

std::unique_ptr<Codec> makeOwnCodec(CharsetCode code, std::string_view form)
{
    if (form == "non-lossy-ASCII")
        return makeNonLossyAsciiCodec(code);
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
