#pragma once
// The one behaviour for codes with no converter on this platform (and for
// codes outside the table): plain 7-bit ASCII. Encoding keeps ASCII and
// writes '?' for every other character and for each invalid UTF-8 byte;
// decoding accepts ASCII only and fails on any byte above 0x7F, so a
// preview shows that the page is unknown rather than guessing.

#include <memory>

#include "codec.h"

namespace ll::text {

std::unique_ptr<Codec> makeAsciiFallbackCodec(CharsetCode code);

} // namespace ll::text
