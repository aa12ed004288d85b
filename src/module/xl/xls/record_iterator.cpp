#include "record_iterator.h"

#include "biff_record_ids.h"

namespace ll::xl::xls {

bool RecordIterator::next(Record& record)
{
    if (truncated_ || !stream_.has(at_, 4))
        return false;
    size_t length = stream_.u16(at_ + 2);
    if (!stream_.has(at_ + 4, length)) {
        truncated_ = true;
        return false;
    }
    record.id = stream_.u16(at_);
    record.offset = at_;
    record.body = stream_.sub(at_ + 4, length);
    at_ += 4 + length;

    pieces_.clear();
    pieces_.push_back(record.body);
    while (stream_.has(at_, 4) && stream_.u16(at_) == rid::Continue) {
        size_t more = stream_.u16(at_ + 2);
        if (!stream_.has(at_ + 4, more))
            break; // left for the next call to report
        pieces_.push_back(stream_.sub(at_ + 4, more));
        at_ += 4 + more;
    }
    record.pieces = &pieces_;
    return true;
}

bool PieceReader::nextPiece()
{
    if (piece_ + 1 >= pieces_.size()) {
        at_ = piece_ < pieces_.size() ? pieces_[piece_].size : 0;
        return false;
    }
    ++piece_;
    at_ = 0;
    return true;
}

bool PieceReader::u8(uint8_t& value)
{
    while (atPieceEnd())
        if (!nextPiece())
            return false;
    value = pieces_[piece_].u8(at_++);
    return true;
}

bool PieceReader::u16(uint16_t& value)
{
    uint8_t lo, hi;
    if (!u8(lo) || !u8(hi))
        return false;
    value = uint16_t(lo | (hi << 8));
    return true;
}

bool PieceReader::u32(uint32_t& value)
{
    uint16_t lo, hi;
    if (!u16(lo) || !u16(hi))
        return false;
    value = uint32_t(lo) | (uint32_t(hi) << 16);
    return true;
}

bool PieceReader::skip(uint64_t count)
{
    while (count > 0) {
        while (atPieceEnd())
            if (!nextPiece())
                return false;
        size_t step = count < leftInPiece() ? size_t(count) : leftInPiece();
        at_ += step;
        count -= step;
    }
    return true;
}

ByteView PieceReader::take(size_t count)
{
    if (piece_ >= pieces_.size())
        return {};
    ByteView part = pieces_[piece_].sub(at_, count);
    at_ += part.size;
    return part;
}

} // namespace ll::xl::xls
