#pragma once
// Base for codecs that convert a whole text at a time (multi-byte and
// stateful pages), where the size of one character's bytes depends on its
// neighbours. encodeInto encodes the whole text and, only when that does
// not fit, searches for the longest prefix that does.

#include "codec.h"

namespace ll::text {

class WholeTextCodec : public Codec {
public:
    size_t encodeInto(std::string_view utf8, char* dst, size_t capacity) const final;

protected:
    using Codec::Codec;
};

// Converters that frame a text with shift sequences it does not need.
enum class ShiftQuirk : uint8_t { None, Hz, Iso2022Kr };

// ICU opens every HZ text with "~}" (HZ starts in ASCII, so it does
// nothing) and leaves the text in GB mode when it ends in Chinese; the
// first is dropped and the closing "~}" added. out holds text from start.
void tidyHz(std::string& out, size_t start);

// ISO-2022-KR converters open every text with the designation ESC $ ) C;
// it is dropped when no shift-out (0x0E) follows, so that an ASCII cell
// does not grow by four bytes.
void dropIdleIso2022KrHeader(std::string& out, size_t start);

} // namespace ll::text
