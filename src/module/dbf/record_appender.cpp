#include "record_appender.h"

#include <algorithm>
#include <cstring>

namespace ll::dbf {
namespace {

constexpr size_t kBufferBytes = 64 * 1024;
constexpr char kEndMark = 0x1A;

} // namespace

RecordAppender::RecordAppender(File& table, std::string path, MemoFile* memo, uint32_t headerLength,
                               uint32_t recordLength, uint32_t recordsOnDisk, HeaderDate date)
    : table_(table), path_(std::move(path)), memo_(memo), headerLength_(headerLength),
      recordLength_(std::max<uint32_t>(recordLength, 1)), counted_(recordsOnDisk),
      capacity_(uint32_t(std::max<size_t>(1, kBufferBytes / recordLength_))), date_(date)
{
    buffer_.resize(size_t(capacity_) * recordLength_ + 1);
}

const char* RecordAppender::queuedRecord(int64_t index) const
{
    if (index < int64_t(counted_) || index >= recordCount())
        return nullptr;
    return buffer_.data() + size_t(index - counted_) * recordLength_;
}

bool RecordAppender::fail(Error& error, Error cause)
{
    failed_ = true;
    error = std::move(cause);
    return false;
}

bool RecordAppender::append(const char* record, Error& error)
{
    if (failed_)
        return fail(error, makeError(Failure::TableFailed, path_));
    if (recordCount() >= int64_t(UINT32_MAX)) {
        error = makeError(Failure::RecordIndex, path_, recordCount(), int64_t(UINT32_MAX));
        return false;
    }
    std::memcpy(buffer_.data() + size_t(queued_) * recordLength_, record, recordLength_);
    ++queued_;
    modified_ = true;
    return queued_ < capacity_ || flush(error);
}

bool RecordAppender::flush(Error& error)
{
    if (failed_) {
        error = makeError(Failure::TableFailed, path_);
        return false;
    }
    if (queued_ == 0)
        return true;
    const uint32_t queued = queued_;
    queued_ = 0;
    Error memoError;
    if (memo_ && !memo_->flush(memoError)) {
        // Records pointing at unwritten memo blocks must not reach the disk.
        return fail(error, memoError);
    }
    const int64_t offset = int64_t(headerLength_) + int64_t(counted_) * recordLength_;
    const size_t bytes = size_t(queued) * recordLength_;
    buffer_[bytes] = kEndMark;
    int64_t written = table_.writeAt(offset, buffer_.data(), bytes + 1);
    const int writeErrno = table_.errorCode();
    uint32_t complete = uint32_t(std::min<int64_t>(queued, std::max<int64_t>(written, 0) / recordLength_));
    if (complete > 0) {
        char head[7];
        encodeDateAndCount(date_, counted_ + complete, head);
        if (table_.writeAt(1, head, sizeof head) != int64_t(sizeof head))
            return fail(error, makeError(Failure::WriteFailed, path_, 0, 7, table_.errorCode()));
        counted_ += complete;
    }
    if (written < int64_t(bytes + 1)) {
        Error cause = makeError(Failure::WriteFailed, path_, written, int64_t(bytes + 1), writeErrno);
        if (complete < queued)
            cause = makeError(Failure::RecordsLost, path_, queued - complete, 0, writeErrno);
        return fail(error, cause);
    }
    return true;
}

bool RecordAppender::finish(Error& error)
{
    bool ok = flush(error);
    if (!modified_)
        return ok;
    const int64_t end = int64_t(headerLength_) + int64_t(counted_) * recordLength_;
    if (failed_) {
        // Drop whatever a failed write left after the counted records.
        table_.truncate(end);
        table_.writeAt(end, &kEndMark, 1);
        return false;
    }
    int64_t size = table_.size();
    if (size > end + 1 && !table_.truncate(end + 1))
        return fail(error, makeError(Failure::WriteFailed, path_, 0, 0, table_.errorCode()));
    return ok;
}

} // namespace ll::dbf
