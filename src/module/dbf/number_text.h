#pragma once
// The text of an N (or F) field: ASCII digits right-aligned in the field,
// blanks on the left, '-' before the digits, '.' and exactly `decimals`
// digits after it ("   1234.50", "     -0.25").
//
// Overflow: a value too wide for its field keeps its integer digits and
// loses decimals first (12345678.9 in N(10,2) is stored as "12345678.9");
// a value whose integer digits alone do not fit, and NaN or an infinity,
// leave the field blank. Blanks rather than '*': the readers disagree on a
// field of asterisks (empty, zero or the asterisks themselves), while every
// one of them reads blanks as "no value".

#include <cstdint>

namespace ll::dbf {

// Writes value into dst[0..width). Returns the decimals written, or -1
// when the field was left blank.
int formatNumberField(double value, uint32_t width, uint32_t decimals, char* dst);

} // namespace ll::dbf
