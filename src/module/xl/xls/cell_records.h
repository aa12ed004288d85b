#pragma once
// One parser per BIFF cell record. Each checks the record's length first
// and skips a record too short to hold its cell; rows and columns outside
// the model's grid are dropped by the sheet.

#include <cstdint>
#include <string>

#include "byte_view.h"
#include "record_iterator.h"
#include "shared_strings.h"

namespace ll::xl {
class Sheet;
class StringPool;
}

namespace ll::xl::xls {

class CodePage;

// What the cell parsers share while reading a sheet.
struct CellContext {
    int biff = 8;
    SharedStringRange sharedStrings;
    StringPool* pool = nullptr; // texts of LABEL and STRING records go here
    CodePage* codePage = nullptr;
    std::string text;           // scratch, reused for every text
    static constexpr uint32_t kNoText = 0xFFFFFFFF;
    uint32_t emptyText = kNoText; // the pool's "" for empty formula results, added once
};

// A formula whose text result is in the STRING record that follows.
struct PendingFormulaText {
    bool active = false;
    uint32_t row = 0, col = 0, xf = 0;
};

// The number an RK value packs: a 30-bit integer or the top 30 bits of a
// double, either one possibly scaled by 100.
double decodeRk(uint32_t rk);

void readNumber(ByteView body, Sheet& sheet);
void readRk(ByteView body, Sheet& sheet);
void readMulRk(ByteView body, Sheet& sheet);
void readBoolErr(ByteView body, Sheet& sheet);
void readBlank(ByteView body, Sheet& sheet);
void readMulBlank(ByteView body, Sheet& sheet);
void readLabelSst(ByteView body, const CellContext& context, Sheet& sheet);
// LABEL and RSTRING: the text follows the cell's place and style.
void readLabel(const Record& record, CellContext& context, Sheet& sheet);
// Stores a formula's cached number, logical, error or empty text; a text
// result is left pending for the STRING record.
void readFormula(ByteView body, CellContext& context, Sheet& sheet, PendingFormulaText& pending);
void readFormulaText(const Record& record, CellContext& context, const PendingFormulaText& pending, Sheet& sheet);

} // namespace ll::xl::xls
