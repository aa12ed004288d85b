#pragma once
// Failures of the BIFF layer, with the values that explain them.

#include <cstdint>
#include <string>

namespace ll::xl::xls {

enum class BiffFailure {
    None,
    NoBof,            // value: the record id found where a BOF belongs; limit: its offset
    NotGlobals,       // value: the first BOF's substream kind
    OldVersion,       // value: the BOF record id of a BIFF2, BIFF3 or BIFF4 stream
    UnknownVersion,   // value: the BOF's version field
    Encrypted,        // the workbook has a FILEPASS record
    Truncated,        // value: offset of the record that runs past the stream's end
    MissingEof,       // value: offset where the substream ran out
    SheetOutOfRange,  // value: the sheet's offset; limit: the stream's size
    OverlappingSheets // value: bytes read for sheets; limit: the budget
};

struct BiffError {
    BiffError() = default;
    BiffError(BiffFailure k, uint64_t v = 0, uint64_t l = 0) : kind(k), value(v), limit(l) {}

    BiffFailure kind = BiffFailure::None;
    uint64_t value = 0;
    uint64_t limit = 0;
    std::string sheet; // the sheet being read, when there is one
    explicit operator bool() const { return kind != BiffFailure::None; }
};

std::string describe(const BiffError& error);

} // namespace ll::xl::xls
