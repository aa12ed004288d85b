#pragma once
// Identifiers of the BIFF records the reader looks at (BIFF5, BIFF7, BIFF8).

#include <cstdint>

namespace ll::xl::xls::rid {

inline constexpr uint16_t Bof = 0x0809;
inline constexpr uint16_t Bof2 = 0x0009; // BIFF2
inline constexpr uint16_t Bof3 = 0x0209; // BIFF3
inline constexpr uint16_t Bof4 = 0x0409; // BIFF4
inline constexpr uint16_t Eof = 0x000A;
inline constexpr uint16_t Continue = 0x003C;

// Workbook globals.
inline constexpr uint16_t BoundSheet = 0x0085;
inline constexpr uint16_t CodePage = 0x0042;
inline constexpr uint16_t DateMode = 0x0022;
inline constexpr uint16_t FilePass = 0x002F;
inline constexpr uint16_t Format = 0x041E;
inline constexpr uint16_t SharedStrings = 0x00FC;
inline constexpr uint16_t Xf = 0x00E0;

// Worksheet cells.
inline constexpr uint16_t Blank = 0x0201;
inline constexpr uint16_t BoolErr = 0x0205;
inline constexpr uint16_t Formula = 0x0006;
inline constexpr uint16_t Label = 0x0204;
inline constexpr uint16_t LabelSst = 0x00FD;
inline constexpr uint16_t MulBlank = 0x00BE;
inline constexpr uint16_t MulRk = 0x00BD;
inline constexpr uint16_t Number = 0x0203;
inline constexpr uint16_t Rk = 0x027E;
inline constexpr uint16_t RString = 0x00D6;
inline constexpr uint16_t String = 0x0207;
// May stand between a FORMULA and the STRING that holds its text result.
inline constexpr uint16_t Array = 0x0221;
inline constexpr uint16_t SharedFormula = 0x04BC;
inline constexpr uint16_t Table = 0x0236;

// BOF substream kinds.
inline constexpr uint16_t GlobalsStream = 0x0005;

} // namespace ll::xl::xls::rid
