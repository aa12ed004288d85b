#pragma once
// Appending records so that the header never counts a record that is not
// on disk.
//
// Records collect in a buffer of about 64 KB. When it fills, and when the
// table closes, the appender writes in this order: the memo file's queued
// blocks and its next-free word; the records followed by the 0x1A end mark;
// then the header's update date and record count (7 bytes). A process
// killed at any moment thus leaves a table whose header counts only records
// that are wholly on disk (readers ignore records past the count) and whose
// counted records point only at memo blocks already written. At most one
// buffer of records is lost, and the header count is written once per
// buffer, not per record.
//
// A failed write stops the table: the records that did reach the disk are
// counted, the rest are reported lost, later appends fail, and finish()
// cuts the file back to the counted records.

#include <cstdint>
#include <string>
#include <vector>

#include "dbf_error.h"
#include "file_io.h"
#include "memo_file.h"
#include "table_header.h"

namespace ll::dbf {

class RecordAppender {
public:
    RecordAppender(File& table, std::string path, MemoFile* memo, uint32_t headerLength, uint32_t recordLength,
                   uint32_t recordsOnDisk, HeaderDate date);

    // Queues one record (recordLength bytes); writes the buffer when full.
    bool append(const char* record, Error& error);
    // Writes the queued records and updates the header.
    bool flush(Error& error);
    // Flushes, then cuts the file just after the end mark.
    bool finish(Error& error);

    int64_t recordCount() const { return int64_t(counted_) + int64_t(queued_); }
    uint32_t countedRecords() const { return counted_; }
    // A record still in the buffer, or nullptr.
    const char* queuedRecord(int64_t index) const;
    bool failed() const { return failed_; }

private:
    bool fail(Error& error, Error cause);

    File& table_;
    std::string path_;
    MemoFile* memo_;
    uint32_t headerLength_;
    uint32_t recordLength_;
    uint32_t counted_;        // records on disk and in the header's count
    uint32_t capacity_;       // records the buffer holds
    uint32_t queued_ = 0;
    HeaderDate date_;
    std::vector<char> buffer_;
    bool modified_ = false;
    bool failed_ = false;
};

} // namespace ll::dbf
