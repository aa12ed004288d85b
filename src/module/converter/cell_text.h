#pragma once
// The text (and number) that a sheet cell gives its DBF field:
//   dates     -> 14 digits "YYYYMMDDhhmmss"
//   numbers   -> printed by the cell's custom number format, else "%f"
//                without needless zeros; blanks trimmed
//   logicals  -> "1"/"0" through the logical setting, then the text options
//   texts     -> the UTF-8 text through the text options
// A CellText object is made once per sheet and reused for every cell, so
// nothing is allocated per cell once its buffers have grown.

#include <string>
#include <string_view>

#include "conversion_settings.h"
#include "module/xl/xl_api.h"

class CellText {
public:
    CellText(BookHandle book, const ConversionSettings& settings) : book_(book), settings_(settings) {}

    // Fills text() for the cell; false for cells that leave their field
    // empty (empty, blank and error cells).
    bool read(SheetHandle sheet, int row, int col);
    // Valid until the next read(); always followed by a NUL byte in memory.
    std::string_view text() const { return text_; }
    // The number a numeric field takes: the text's leading decimal number,
    // read as strtod reads it in the C locale; 0 when there is none.
    double leadingNumber() const;

    // Number printing on its own, for tests and previews: the value by the
    // custom format text (null for a built-in format), untrimmed.
    static void formatNumber(double value, const char* customFormat, std::string& out);

private:
    void setText(std::string_view text);

    BookHandle book_;
    const ConversionSettings& settings_;
    std::string_view text_;
    std::string number_;   // printed numbers and dates
    std::string scratch_;  // text options that rewrite the text
};
