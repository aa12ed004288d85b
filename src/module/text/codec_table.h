#pragma once
// Which converter serves each code of the character-set table.

#include <span>

#include "codec.h"

namespace ll::text {

struct CodecSpec {
    CharsetCode code;
    CodecBackend backend;
    // ICU or iconv converter name; for our own codecs, the name of the
    // form (see makeOwnCodec); unused for the fallback.
    const char* converter;
};

// One spec for each of the 100 table codes, in table order.
std::span<const CodecSpec> codecSpecs();
// The spec of a code; nullptr for a code outside the table.
const CodecSpec* findCodecSpec(CharsetCode code);

} // namespace ll::text
