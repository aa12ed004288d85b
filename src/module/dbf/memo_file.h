#pragma once
// One memo file (.dbt, .fpt, .smt): appending memos through a write buffer
// and reading them back with every pointer and length checked against the
// file.
//
// New memos go at the file's end, so appending never overwrites a foreign
// table's memos whatever its header claims. flush() writes the queued blocks and then the
// next free block into the header; the table flushes its memo file before
// it writes records that point into it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dbf_error.h"
#include "file_io.h"
#include "flavour.h"

namespace ll::dbf {

// A memo longer than this is read as unreadable rather than allocated.
constexpr uint64_t kMaxMemoBytes = 64u << 20;

class MemoFile {
public:
    static std::unique_ptr<MemoFile> create(FileSystem& files, const std::string& path, MemoKind kind,
                                            uint32_t blockSize, std::string_view tableName, Error& error);
    static std::unique_ptr<MemoFile> open(FileSystem& files, const std::string& path, MemoKind kind, bool writable,
                                          Error& error);
    ~MemoFile();
    MemoFile(const MemoFile&) = delete;
    MemoFile& operator=(const MemoFile&) = delete;

    MemoKind kind() const { return kind_; }
    uint32_t blockSize() const { return blockSize_; }
    const std::string& path() const { return path_; }

    // Queues a memo's bytes and gives its first block. A 0x1A byte in a
    // dBase III memo (its terminator) is stored as '?'.
    bool append(std::string_view bytes, uint32_t& firstBlock, Error& error);
    // Writes the queued blocks, then the next free block into the header.
    bool flush(Error& error);
    // The bytes of the memo at block (length given for .smt, whose length
    // lives in the table); false when the pointer or a length lies.
    bool read(uint32_t block, std::optional<uint32_t> length, std::string& out);
    bool close(Error& error);

private:
    MemoFile(std::unique_ptr<File> file, std::string path, MemoKind kind, uint32_t blockSize, uint32_t nextFree,
             int64_t fileSize, bool writable);
    bool emit(const char* data, size_t size, bool guardTerminator, Error& error);
    bool emitZeros(size_t size, Error& error);
    bool writePending(Error& error);
    bool readBytes(int64_t offset, size_t size, std::string& out);
    bool readUntilTerminator(int64_t offset, std::string& out);

    std::unique_ptr<File> file_;
    std::string path_;
    MemoKind kind_;
    uint32_t blockSize_;
    uint32_t nextFree_;        // first block after the queued memos
    uint32_t headerNextFree_;  // what the header says now
    int64_t fileSize_;
    int64_t pendingOffset_;    // where the queued bytes go
    std::string pending_;
    bool writable_;
    bool failed_ = false;
};

} // namespace ll::dbf
