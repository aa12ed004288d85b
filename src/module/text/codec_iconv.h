#pragma once
// Codecs backed by glibc iconv, for the pages ICU lacks.

#include <memory>

#include "codec.h"

namespace ll::text {

// The codec for an iconv converter name. A single-byte page is read once
// into tables (codec_single_byte.h); for other pages each thread keeps its
// own pair of conversion descriptors. nullptr when iconv lacks the name.
std::unique_ptr<Codec> makeIconvCodec(CharsetCode code, const char* name);

} // namespace ll::text
