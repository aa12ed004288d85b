#pragma once
// Operations on UTF-8 cell texts: trimming, character checks and number
// texts. They return views into the given text where they can, so that the
// conversion allocates nothing per cell.
//
// A blank is a character of the Unicode category Zs or a tab (U+0009); line
// ends are not blanks.

#include <string>
#include <string_view>

namespace ll::text {

bool isBlank(char32_t c);

// The text without blanks at both ends; blanks only give an empty text.
std::string_view trimAll(std::string_view text);
// The text without blanks at its end; a text of blanks only, or an empty
// one, comes back unchanged.
std::string_view trimRight(std::string_view text);
// The text without blanks at its start; blanks only, or empty, unchanged.
std::string_view trimLeft(std::string_view text);

// True when every character is a decimal digit of any script (also for "").
bool checkNumbers(std::string_view text);
// True when no character lies outside "1234567890-.," (also for "").
bool checkNumeric(std::string_view text);

// Drops trailing zeros and then a trailing point from a number printed with
// "%f": "12.000000" -> "12", "3.500000" -> "3.5", "0.000000" -> "0".
void removeTrailingZeros(std::string& text);
std::string removeTrailingZeros(std::string_view text);

// Text clean-up of a run's options: removeSpaces 2 trims both ends, 0 trims
// the end, anything else keeps blanks; removeCRLF non-zero turns every CR
// and every LF into a blank. Returns a view of text or of scratch.
std::string_view applyTextOptions(std::string_view text, long long removeSpaces, long long removeCRLF,
                                  std::string& scratch);

} // namespace ll::text
