#pragma once
// Text of BIFF records as UTF-8.
//
// BIFF8 strings hold their characters either "compressed" (one byte each,
// the low byte of a UTF-16 unit) or as UTF-16LE; when a string's characters
// run on into a CONTINUE record, that record starts with a fresh option
// byte, so the storage may switch halfway through a string. BIFF5/7 strings
// are bytes in the workbook's code page.

#include <cstdint>
#include <string>

#include "byte_view.h"
#include "record_iterator.h"

namespace ll::xl::xls {

class CodePage;

// Appends bytes 0-255 as the characters U+0000-U+00FF.
void appendLatin1(ByteView bytes, std::string& out);

// Appends UTF-16 as UTF-8. A high surrogate waits for its partner across
// calls; an unpaired surrogate becomes U+FFFD.
class Utf16Appender {
public:
    explicit Utf16Appender(std::string& out) : out_(out) {}
    void append(const char16_t* units, size_t count);
    // Units stored little-endian; an odd last byte is ignored.
    void appendLittleEndian(ByteView bytes);
    void finish();

private:
    void put(char16_t unit);
    std::string& out_;
    char16_t pendingHigh_ = 0;
};

// Reads `count` BIFF8 characters that start in the given storage, crossing
// into CONTINUE pieces as needed. Appends to out; false when the record
// ends first (what was read stays appended).
bool readBiff8Characters(PieceReader& reader, uint32_t count, bool wide, std::string& out);

// A BIFF8 string: a character count (two bytes, or one for short strings),
// an option byte, and, for the shared-string form, the counts of the
// formatting runs and phonetic data that follow the characters, which are
// skipped. Replaces out.
enum class Biff8StringForm { ShortCount, LongCount, SharedString };
bool readBiff8String(PieceReader& reader, Biff8StringForm form, std::string& out);

// A BIFF5/7 string: a byte count (one or two bytes) and the bytes, decoded
// with the code page. Replaces out.
bool readByteString(PieceReader& reader, bool longCount, CodePage& codePage, std::string& out);

} // namespace ll::xl::xls
