#include "memory_file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ll::dbf {
namespace {

class MemoryFile final : public File {
public:
    MemoryFile(std::shared_ptr<std::string> bytes, bool writable, int64_t maxSize)
        : bytes_(std::move(bytes)), writable_(writable), maxSize_(maxSize)
    {
    }

    int64_t readAt(int64_t offset, void* buffer, size_t size) override
    {
        if (offset < 0) {
            error_ = EINVAL;
            return -1;
        }
        if (offset >= int64_t(bytes_->size()))
            return 0;
        size_t n = std::min(size, bytes_->size() - size_t(offset));
        std::memcpy(buffer, bytes_->data() + offset, n);
        return int64_t(n);
    }

    int64_t writeAt(int64_t offset, const void* data, size_t size) override
    {
        if (!writable_) {
            error_ = EBADF;
            return 0;
        }
        if (offset < 0 || offset > maxSize_ || int64_t(size) > maxSize_ - offset) {
            error_ = EFBIG;
            return 0;
        }
        size_t end = size_t(offset) + size;
        if (end > bytes_->size())
            bytes_->resize(end, '\0');
        std::memcpy(bytes_->data() + offset, data, size);
        return int64_t(size);
    }

    int64_t size() override { return int64_t(bytes_->size()); }

    bool truncate(int64_t size) override
    {
        if (!writable_ || size < 0 || size > maxSize_) {
            error_ = EINVAL;
            return false;
        }
        bytes_->resize(size_t(size), '\0');
        return true;
    }

    bool flush() override { return true; }
    bool close() override { return true; }
    int errorCode() const override { return error_; }

private:
    std::shared_ptr<std::string> bytes_;
    bool writable_;
    int64_t maxSize_;
    int error_ = 0;
};

} // namespace

std::unique_ptr<File> MemoryFileSystem::open(const std::string& path, OpenMode mode, int& errorCode)
{
    auto it = files_.find(path);
    if (mode == OpenMode::Create) {
        if (it == files_.end())
            it = files_.emplace(path, std::make_shared<std::string>()).first;
        it->second->clear();
    } else if (it == files_.end()) {
        errorCode = ENOENT;
        return nullptr;
    }
    errorCode = 0;
    return std::make_unique<MemoryFile>(it->second, mode != OpenMode::Read, maxFileSize_);
}

bool MemoryFileSystem::exists(const std::string& path)
{
    return files_.count(path) != 0;
}

bool MemoryFileSystem::remove(const std::string& path)
{
    return files_.erase(path) != 0;
}

void MemoryFileSystem::put(const std::string& path, std::string bytes)
{
    files_[path] = std::make_shared<std::string>(std::move(bytes));
}

std::optional<std::string> MemoryFileSystem::get(const std::string& path) const
{
    auto it = files_.find(path);
    if (it == files_.end())
        return std::nullopt;
    return *it->second;
}

} // namespace ll::dbf
