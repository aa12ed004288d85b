#pragma once
// Codecs backed by ICU converters.

#include <memory>

#include "codec.h"

namespace ll::text {

// The codec for an ICU converter name: single-byte pages become table
// codecs (codec_single_byte.h); other pages keep one converter per thread.
// nullptr when ICU has no such converter.
std::unique_ptr<Codec> makeIcuCodec(CharsetCode code, const char* name);

} // namespace ll::text
