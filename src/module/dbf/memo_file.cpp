#include "memo_file.h"

#include <algorithm>
#include <cstring>

#include "byte_order.h"
#include "memo_layout.h"

namespace ll::dbf {
namespace {

constexpr size_t kWriteBuffer = 64 * 1024;
constexpr char kTerminator = 0x1A;

} // namespace

MemoFile::MemoFile(std::unique_ptr<File> file, std::string path, MemoKind kind, uint32_t blockSize,
                   uint32_t nextFree, int64_t fileSize, bool writable)
    : file_(std::move(file)), path_(std::move(path)), kind_(kind), blockSize_(blockSize), nextFree_(nextFree),
      headerNextFree_(nextFree), fileSize_(fileSize), pendingOffset_(int64_t(nextFree) * blockSize),
      writable_(writable)
{
    if (writable_)
        pending_.reserve(kWriteBuffer);
}

MemoFile::~MemoFile()
{
    Error ignored;
    close(ignored);
}

std::unique_ptr<MemoFile> MemoFile::create(FileSystem& files, const std::string& path, MemoKind kind,
                                           uint32_t blockSize, std::string_view tableName, Error& error)
{
    int code = 0;
    std::unique_ptr<File> file = files.open(path, OpenMode::Create, code);
    if (!file) {
        error = makeError(Failure::CannotCreate, path, 0, 0, code);
        return nullptr;
    }
    uint32_t first = headerBlockCount(blockSize);
    std::string header = encodeMemoHeader(kind, blockSize, first, tableName);
    int64_t written = file->writeAt(0, header.data(), header.size());
    if (written != int64_t(header.size())) {
        error = makeError(Failure::WriteFailed, path, written, int64_t(header.size()), file->errorCode());
        return nullptr;
    }
    return std::unique_ptr<MemoFile>(
        new MemoFile(std::move(file), path, kind, blockSize, first, int64_t(header.size()), true));
}

std::unique_ptr<MemoFile> MemoFile::open(FileSystem& files, const std::string& path, MemoKind kind, bool writable,
                                         Error& error)
{
    int code = 0;
    std::unique_ptr<File> file = files.open(path, writable ? OpenMode::ReadWrite : OpenMode::Read, code);
    if (!file && writable) {
        writable = false;
        file = files.open(path, OpenMode::Read, code);
    }
    if (!file) {
        error = makeError(Failure::CannotOpen, path, 0, 0, code);
        return nullptr;
    }
    char head[24];
    int64_t got = file->readAt(0, head, sizeof head);
    int64_t size = file->size();
    std::optional<MemoHeader> header;
    if (got == int64_t(sizeof head) && size >= 0)
        header = parseMemoHeader(kind, std::string_view(head, sizeof head));
    if (!header) {
        error = makeError(Failure::ReadFailed, path, 0, 0, file->errorCode());
        return nullptr;
    }
    // New memos go at the file's end (rounded up to a block): the header's
    // next free block may be stale, point into a free list, or lie far past
    // the end, and none of that may make us overwrite a memo or write a
    // huge sparse file.
    uint64_t blocksInFile = (uint64_t(size) + header->blockSize - 1) / header->blockSize;
    uint64_t next = std::max<uint64_t>(blocksInFile, headerBlockCount(header->blockSize));
    if (next > UINT32_MAX)
        writable = false;
    return std::unique_ptr<MemoFile>(new MemoFile(std::move(file), path, kind, header->blockSize,
                                                  uint32_t(std::min<uint64_t>(next, UINT32_MAX)), size, writable));
}

bool MemoFile::writePending(Error& error)
{
    if (pending_.empty())
        return true;
    int64_t written = file_->writeAt(pendingOffset_, pending_.data(), pending_.size());
    if (written > 0)
        fileSize_ = std::max(fileSize_, pendingOffset_ + written);
    if (written != int64_t(pending_.size())) {
        failed_ = true;
        error = makeError(Failure::WriteFailed, path_, written, int64_t(pending_.size()), file_->errorCode());
        return false;
    }
    pendingOffset_ += written;
    pending_.clear();
    return true;
}

bool MemoFile::emit(const char* data, size_t size, bool guardTerminator, Error& error)
{
    while (size > 0) {
        size_t take = std::min(size, kWriteBuffer - pending_.size());
        size_t start = pending_.size();
        pending_.append(data, take);
        if (guardTerminator)
            std::replace(pending_.begin() + std::ptrdiff_t(start), pending_.end(), kTerminator, '?');
        data += take;
        size -= take;
        if (pending_.size() == kWriteBuffer && !writePending(error))
            return false;
    }
    return true;
}

bool MemoFile::emitZeros(size_t size, Error& error)
{
    while (size > 0) {
        size_t take = std::min(size, kWriteBuffer - pending_.size());
        pending_.append(take, '\0');
        size -= take;
        if (pending_.size() == kWriteBuffer && !writePending(error))
            return false;
    }
    return true;
}

bool MemoFile::append(std::string_view bytes, uint32_t& firstBlock, Error& error)
{
    if (!writable_ || failed_) {
        error = makeError(failed_ ? Failure::TableFailed : Failure::ReadOnly, path_);
        return false;
    }
    char prefix[8];
    char suffix[2];
    size_t prefixSize = memoPrefix(kind_, bytes.size(), prefix);
    size_t suffixSize = memoSuffix(kind_, suffix);
    uint64_t frame = prefixSize + uint64_t(bytes.size()) + suffixSize;
    uint64_t blocks = (frame + blockSize_ - 1) / blockSize_;
    if (bytes.size() > UINT32_MAX - 16 || nextFree_ + blocks > UINT32_MAX) {
        error = makeError(Failure::MemoTooLarge, path_, int64_t(bytes.size()), int64_t(UINT32_MAX - 16));
        return false;
    }
    bool ok = emit(prefix, prefixSize, false, error) && emit(bytes.data(), bytes.size(), kind_ == MemoKind::Dbt3, error)
        && emit(suffix, suffixSize, false, error) && emitZeros(size_t(blocks * blockSize_ - frame), error);
    if (!ok)
        return false;
    firstBlock = nextFree_;
    nextFree_ += uint32_t(blocks);
    return true;
}

bool MemoFile::flush(Error& error)
{
    if (!writable_ || failed_)
        return !failed_;
    if (!writePending(error))
        return false;
    if (headerNextFree_ == nextFree_)
        return true;
    char word[4];
    encodeNextFree(kind_, nextFree_, word);
    int64_t written = file_->writeAt(0, word, sizeof word);
    if (written != int64_t(sizeof word)) {
        failed_ = true;
        error = makeError(Failure::WriteFailed, path_, written, 4, file_->errorCode());
        return false;
    }
    headerNextFree_ = nextFree_;
    return true;
}

bool MemoFile::readBytes(int64_t offset, size_t size, std::string& out)
{
    out.resize(size);
    return size == 0 || file_->readAt(offset, out.data(), size) == int64_t(size);
}

bool MemoFile::readUntilTerminator(int64_t offset, std::string& out)
{
    out.clear();
    char chunk[512];
    while (offset < fileSize_ && out.size() < kMaxMemoBytes) {
        int64_t got = file_->readAt(offset, chunk, sizeof chunk);
        if (got <= 0)
            break;
        const char* end = static_cast<const char*>(std::memchr(chunk, kTerminator, size_t(got)));
        if (end) {
            out.append(chunk, size_t(end - chunk));
            return true;
        }
        out.append(chunk, size_t(got));
        offset += got;
    }
    // No terminator before the end of the file: the text runs to the end.
    return out.size() < kMaxMemoBytes;
}

bool MemoFile::read(uint32_t block, std::optional<uint32_t> length, std::string& out)
{
    out.clear();
    if (!pending_.empty()) {
        Error ignored;
        if (!writePending(ignored))
            return false;
    }
    if (block < headerBlockCount(blockSize_))
        return false;
    const int64_t offset = int64_t(block) * blockSize_;
    if (offset >= fileSize_)
        return false;
    const int64_t room = fileSize_ - offset;
    if (kind_ == MemoKind::Smt) {
        if (!length || *length > room || *length > kMaxMemoBytes)
            return false;
        return readBytes(offset, *length, out);
    }
    char head[8];
    bool framed = room >= 8 && file_->readAt(offset, head, 8) == 8;
    if (kind_ == MemoKind::Fpt) {
        if (!framed)
            return false;
        uint32_t size = loadBe32(head + 4);
        if (size > room - 8 || size > kMaxMemoBytes)
            return false;
        return readBytes(offset + 8, size, out);
    }
    // .dbt: dBase IV framing when the block starts with its mark, else text
    // up to the dBase III terminator.
    if (framed && uint8_t(head[0]) == 0xFF && uint8_t(head[1]) == 0xFF && head[2] == 0x08 && head[3] == 0x00) {
        uint32_t size = loadLe32(head + 4);
        if (size < 8 || size - 8 > room - 8 || size - 8 > kMaxMemoBytes)
            return false;
        return readBytes(offset + 8, size - 8, out);
    }
    return readUntilTerminator(offset, out);
}

bool MemoFile::close(Error& error)
{
    if (!file_)
        return true;
    bool ok = flush(error);
    ok = file_->close() && ok;
    file_.reset();
    return ok;
}

} // namespace ll::dbf
