#pragma once
// Walks the BIFF records of a workbook stream. Each record comes with the
// CONTINUE records that follow it, as a list of pieces, so parsers of long
// records (shared strings, formula strings) read across the joins without
// copying. Every header and length is checked against the stream's end.

#include <cstdint>
#include <vector>

#include "byte_view.h"

namespace ll::xl::xls {

struct Record {
    uint16_t id = 0;
    size_t offset = 0; // of the record's header in the stream
    ByteView body;     // the record's own data, without its CONTINUE records
    // body first, then the data of each CONTINUE record after it.
    const std::vector<ByteView>* pieces = nullptr;
};

class RecordIterator {
public:
    explicit RecordIterator(ByteView stream, size_t offset = 0) : stream_(stream), at_(offset) {}

    // Reads the next record. False at the end of the stream, and when a
    // record's header or data would run past it (truncated() then says so).
    bool next(Record& record);
    bool truncated() const { return truncated_; }
    // Where the next record starts.
    size_t offset() const { return at_; }

private:
    ByteView stream_;
    size_t at_;
    bool truncated_ = false;
    std::vector<ByteView> pieces_; // reused for every record
};

// Reads a record's pieces as one run of bytes. Readers of character data
// use the piece boundaries themselves (see biff_text.h).
class PieceReader {
public:
    explicit PieceReader(const Record& record) : pieces_(*record.pieces) {}

    bool u8(uint8_t& value);
    bool u16(uint16_t& value);
    bool u32(uint32_t& value);
    // Skips bytes across pieces; false when fewer are left.
    bool skip(uint64_t count);

    // Bytes left in the current piece, and taking them.
    size_t leftInPiece() const { return piece_ < pieces_.size() ? pieces_[piece_].size - at_ : 0; }
    ByteView take(size_t count);
    // Moves to the start of the next piece; false when there is none.
    bool nextPiece();
    bool atPieceEnd() const { return leftInPiece() == 0; }

private:
    const std::vector<ByteView>& pieces_;
    size_t piece_ = 0;
    size_t at_ = 0;
};

} // namespace ll::xl::xls
