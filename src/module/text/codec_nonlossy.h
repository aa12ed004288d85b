#pragma once
// "Non-lossy ASCII": every character survives in 7-bit ASCII.
//
// Encoding: ASCII characters other than the backslash stay as they are; a
// backslash becomes two; every other character becomes \uXXXX with four
// lower-case hex digits of its UTF-16 unit (a character outside the BMP
// takes two such escapes, its surrogate pair). Invalid UTF-8 bytes become
// '?'.
//
// Decoding reads \uXXXX (either case), a pair of them for a surrogate pair,
// the doubled backslash, and \ooo (three octal digits, 000 to 377, the form
// older writers used for Latin-1 characters). A backslash that starts none
// of these stands for itself. Bytes above 0x7F and unpaired surrogates are
// invalid.

#include <memory>

#include "codec.h"

namespace ll::text {

std::unique_ptr<Codec> makeNonLossyAsciiCodec(CharsetCode code);

} // namespace ll::text
