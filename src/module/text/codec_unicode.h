#pragma once
// Our own codecs for the Unicode forms: UTF-8 (a checked copy) and UTF-16
// and UTF-32 in either byte order, with or without a byte-order mark.
//
// The forms with a mark ("UTF-16", "UTF-32") write the mark FF FE (or
// FF FE 00 00) and then little-endian units, once per encoded text and
// only together with its first character; an empty text stays empty.
// Decoding honours either mark and reads unmarked bytes as little-endian.
// The forms named LE or BE never write a mark, and decode a leading
// U+FEFF as a character. Decoding rejects a length that is not a whole
// number of units, unpaired surrogates and values above U+10FFFF.

#include <memory>
#include <string_view>

#include "codec.h"

namespace ll::text {

// form: "UTF-8", "UTF-16", "UTF-16LE", "UTF-16BE", "UTF-32", "UTF-32LE" or
// "UTF-32BE"; nullptr for any other name.
std::unique_ptr<Codec> makeUnicodeCodec(CharsetCode code, std::string_view form);

} // namespace ll::text
