#pragma once
// Fitting a requested field (type letter, width, decimals) to what the
// flavour and the readers take:
//   C  1..254 bytes. Wider widths (the high byte in the decimals byte) are
//      read by only two of the installed readers, so they are clamped and
//      longer texts are cut (never inside a character).
//   N  1..20 wide, 0..15 decimals; the width grows to decimals + 2 so that
//      "0." and the decimals always fit. F is kept where the flavour has it
//      (dBase IV, dBase 7, FoxPro, Visual FoxPro), N elsewhere.
//   L  1 byte; D 8 bytes; M 10 bytes (4 in Visual FoxPro).
// Lower-case letters are taken as upper case; any other letter is refused.

#include <cstdint>
#include <optional>

#include "flavour.h"

namespace ll::dbf {

struct FieldShape {
    char type;
    uint32_t width;
    uint8_t decimals;
};

constexpr uint32_t kMaxCharacterWidth = 254;
constexpr uint32_t kMaxNumericWidth = 20;
constexpr uint32_t kMaxNumericDecimals = 15;

std::optional<FieldShape> fitFieldShape(char type, int64_t width, int64_t decimals, const FlavourTraits& traits);

} // namespace ll::dbf
