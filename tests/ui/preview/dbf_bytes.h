#pragma once
// dBase III tables written byte by byte for the preview tests, so that the
// previews are checked against a table our own writer did not make.

#include <cstdint>
#include <string>
#include <vector>

namespace previewtest {

struct DbfField {
    std::string name; // at most 10 ASCII characters
    char type;        // 'C', 'N', 'D', 'L'
    int length;
    int decimals = 0;
};

// The header and field descriptors of a table of recordCount records
// (codePageMark: the language driver byte, 0 for none).
std::string dbfHeader(const std::vector<DbfField>& fields, uint32_t recordCount, uint8_t codePageMark = 0);

// One record: the deletion flag, then each value (raw bytes in the table's
// code page) padded to its field's length, numbers to the right, others to
// the left; longer values are cut.
void appendDbfRecord(std::string& out, const std::vector<DbfField>& fields, bool deleted,
                     const std::vector<std::string>& values);

inline constexpr char kDbfEnd = '\x1A';

} // namespace previewtest
