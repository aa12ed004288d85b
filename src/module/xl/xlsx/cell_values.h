#pragma once
// Reading the small texts of a worksheet: cell references, numbers, error
// texts, ISO dates, and the _xHHHH_ escapes of strings. All work on the
// bytes in place; none allocates except decodeEscapes' output buffer.

#include <cstdint>
#include <string>
#include <string_view>

namespace ll::xl::xlsx {

// "B7" (also "$B$7", "b7") -> row 6, column 1. Rows and columns past the
// grid come back as they are, saturated at UINT32_MAX, for the caller to
// drop. False when the text is not a reference.
bool parseCellReference(std::string_view text, uint32_t& row, uint32_t& col);

// A row number attribute ("12", also "12.0") -> 11.
bool parseRowNumber(std::string_view text, uint32_t& row);

// A decimal number, surrounding blanks allowed (as the file's producers
// write them: "1", "-2.5", "1.23E+22", "+3").
bool parseNumber(std::string_view text, double& value);

// An unsigned decimal index ("17").
bool parseIndex(std::string_view text, uint64_t& value);

// The code of an error text: the legacy binary codes for the classic
// errors (#NULL! 0x00 ... #N/A 0x2A), kOtherErrorCode for newer ones.
inline constexpr uint8_t kOtherErrorCode = 0xFF;
uint8_t errorCode(std::string_view text);

// An ISO 8601 date, time or date-time ("2021-03-02", "14:05:09",
// "2021-03-02T14:05:09.250Z") -> a serial in the given date system.
bool isoDateToSerial(std::string_view text, bool date1904, double& serial);

// True when text holds an escape that decodeEscapes would change.
bool hasEscapes(std::string_view text);
// Decodes _xHHHH_ escapes in one left-to-right pass ("_x005F_x000D_" is
// the literal "_x000D_"); UTF-16 surrogate pairs are joined, lone
// surrogates become U+FFFD. Appends to out.
void decodeEscapes(std::string_view text, std::string& out);

} // namespace ll::xl::xlsx
