#pragma once
// The table of 100 character sets that every encoding choice indexes:
// settings, pop-up menus and the command line store the index, the codec
// and the DBF engine receive the entry's code. The order is part of the
// saved-settings format and never changes.

#include <QString>

#include <cstdint>
#include <optional>

class myOptions;

inline constexpr int kCharsetCount = 100;
inline constexpr int kDefaultCharsetIndex = 10;  // "Cyrillic (Windows)"
inline constexpr int kUtf8CharsetIndex = 3;      // "Unicode (UTF-8)"

bool isValidCharsetIndex(int64_t index);
// The lookups by index expect 0..99; any other index answers as the
// default entry 10, so that a bad value can never read outside the table.
int32_t charsetCodeAtIndex(int64_t index);
QString charsetNameAtIndex(int64_t index);
// The first entry with this code: its name (nullopt when none), its index
// (0 when none).
std::optional<QString> charsetNameForCode(int32_t code);
int charsetIndexForCode(int32_t code);
// The first entry whose name equals the text, ignoring case; nullopt when
// none (the command line's rule).
std::optional<int> charsetIndexForName(const QString& name);

// Action of the source character-set pop-up: stores the selected index.
void chgCharset(myOptions& options, int selectedIndex);
