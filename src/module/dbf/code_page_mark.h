#pragma once
// The language-driver byte (offset 29 of the header) that tells readers
// which code page the table's text is in.

#include <cstdint>
#include <string_view>

namespace ll::dbf {

// The Windows/DOS code-page number behind a converter name such as
// "windows-1251", "IBM866", "ibm-850_P100-1995", "macintosh"; 0 when the
// name is none of those.
int codePageOfConverter(std::string_view converterName);

// The code page a character-set code stands for, by the platform's
// numbering of string encodings; 0 when it has no Windows/DOS number.
int codePageOfCharset(int32_t charsetCode);

// The mark for a code page; 0 (no mark) when readers know none for it.
uint8_t languageDriverForCodePage(int codePage);

// The mark for the table's text: the converter actually used decides, so
// the byte names the bytes that were written; when there is no converter or
// its name says nothing, the code's own code page decides.
uint8_t languageDriverFor(int32_t charsetCode, std::string_view converterName, bool converterAvailable);

} // namespace ll::dbf
