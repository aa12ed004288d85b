#pragma once
// Helpers of the DBF engine's tests: expected bytes written in a small
// notation, a byte diff that points at the first mismatch, and the sample
// table every flavour is written with.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "module/dbf/xbtable.h"

namespace dbftest {

// Expected bytes in a compact notation, separated by blanks:
//   hex digits  bytes ("83", "c100", "00000000")
//   ??          a byte not compared (the header's update date)
//   zN / sN     N zero bytes / N blanks
//   "text"      ASCII bytes (no blanks inside)
// Masked bytes come back in mask (true = compare).
struct Expected {
    std::string bytes;
    std::vector<bool> compare;
};
Expected expectedBytes(std::string_view notation);

// Empty when actual matches; otherwise where they first differ, with the
// bytes around it in hex.
std::string byteDiff(std::string_view actual, const Expected& expected);

// Flavour codes of the writer with a name for test output.
struct FlavourCase {
    int code;
    const char* name;
};
extern const FlavourCase kAllFlavours[7];

// The shared content: NAME C(30), AMOUNT N(12,2), FLAG L, BORN D, NOTES M
// and four rows: Cyrillic text, a long memo spanning blocks, an empty
// record, a logical from "TRUE".
struct SampleRow {
    std::string name;
    std::string amountText;
    double amount;
    std::string flag;
    std::string born;
    std::string notes;
};
const std::vector<SampleRow>& sampleRows();
std::string longMemo();

// Creates the sample table at path in code 11 (Windows-1251); false with
// the engine's message in error on failure.
bool writeSampleTable(xbtable& table, const std::string& path, int flavour, int64_t blockSize, std::string& error);

// What the readers should show for sample row i (dates as YYYY-MM-DD,
// numbers without needless zeros, logicals T/F/empty).
std::vector<std::string> expectedReaderRow(size_t row);

uint32_t headerCount(std::string_view table);
uint32_t headerLength(std::string_view table);
uint32_t recordLength(std::string_view table);

} // namespace dbftest
