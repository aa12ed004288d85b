#pragma once
// Values in and out of a record's bytes, one field at a time. Writers
// encode straight into the record buffer: no allocation per field.
//
// Logical rule (setField on L): the first non-blank character decides:
// one of "TtYy1" stores 'T', one of "FfNn0" stores 'F', any other text '?'
// (not known); an empty text leaves the field blank. Every reader here
// shows '?' and a blank alike (empty, or false where it knows no third
// value). Reading gives "T", "F" or "".

#include <cstdint>
#include <string>
#include <string_view>

#include "date_text.h"
#include "flavour.h"
#include "table_header.h"

namespace ll::text {
class Codec;
}

namespace ll::dbf {

enum class FieldKind : uint8_t {
    Character,
    Numeric,      // N, F: ASCII digits
    Logical,
    Date,
    MemoDigits,   // block number in ASCII digits (width 10)
    MemoBinary,   // Visual FoxPro: block number, LE32 (width 4)
    MemoSmt,      // SMT: LE16 type, LE32 length, LE32 block (width 10)
    Integer,      // Visual FoxPro I: LE32
    Double,       // Visual FoxPro B: LE double
    Currency,     // Visual FoxPro Y: LE64, value * 10000
    DateTime,     // Visual FoxPro T: LE32 Julian day, LE32 milliseconds
    Unsupported,  // pictures, objects, dBase 7 binary types
};

FieldKind fieldKindOf(const FieldDesc& field, Flavour flavour);
bool isMemoKind(FieldKind kind);
bool isNumericKind(FieldKind kind);

// The bytes an empty field holds (blanks, or zeros for binary fields).
void writeEmpty(const FieldDesc& field, FieldKind kind, char* dst);

// Text into a C field: encoded in the table's code page, cut to the width
// without splitting a character, padded with blanks.
void writeCharacter(const text::Codec& codec, std::string_view utf8, char* dst, uint32_t width);
void writeLogical(std::string_view text, char* dst);
// False (field blank) when the text is no date.
bool writeDate(std::string_view text, const DateFormat& format, char* dst);
// N/F fields: the number, or blanks when text holds no digit and number
// is 0 (an empty cell).
void writeNumeric(std::string_view text, double number, const FieldDesc& field, char* dst);
// The binary numeric kinds and datetime.
void writeBinary(FieldKind kind, std::string_view text, double number, const DateFormat& format, char* dst);

struct MemoPointer {
    bool empty = true;     // no memo
    bool valid = true;     // false: the pointer is garbage
    uint32_t block = 0;
    uint32_t length = 0;   // SMT only
};

void writeMemoPointer(FieldKind kind, const MemoPointer& pointer, char* dst, uint32_t width);
MemoPointer readMemoPointer(FieldKind kind, const char* src, uint32_t width);

// Display text of a non-memo field, appended to out; false when the field
// cannot be read. Character data is decoded with the codec (bytes it cannot
// decode show as '?'), right blanks trimmed.
bool readFieldText(FieldKind kind, const FieldDesc& field, const char* src, const text::Codec& codec,
                   const DateFormat& format, std::string& out);

// Decodes bytes, putting '?' where the code page has no character.
void decodeLenient(const text::Codec& codec, std::string_view bytes, std::string& out);

} // namespace ll::dbf
