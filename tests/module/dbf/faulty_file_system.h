#pragma once
// A file system for tests that runs out of room: writes to a file whose
// name ends with a given suffix succeed until a byte budget is spent, then
// come back short with ENOSPC, as a full disk does. Optionally every write
// into the first 32 bytes (the header) fails once the file exists.

#include <cerrno>
#include <memory>
#include <string>

#include "module/dbf/file_io.h"

namespace dbftest {

class FaultyFileSystem final : public ll::dbf::FileSystem {
public:
    FaultyFileSystem(std::shared_ptr<ll::dbf::FileSystem> inner, std::string suffix, int64_t budget,
                     bool failHeaderWrites = false)
        : inner_(std::move(inner)), suffix_(std::move(suffix)), budget_(std::make_shared<int64_t>(budget)),
          failHeaderWrites_(failHeaderWrites)
    {
    }

    std::unique_ptr<ll::dbf::File> open(const std::string& path, ll::dbf::OpenMode mode, int& errorCode) override
    {
        std::unique_ptr<ll::dbf::File> file = inner_->open(path, mode, errorCode);
        bool matches = path.size() >= suffix_.size() && path.compare(path.size() - suffix_.size(), suffix_.size(), suffix_) == 0;
        if (!file || !matches)
            return file;
        return std::make_unique<Faulty>(std::move(file), budget_, failHeaderWrites_);
    }
    bool exists(const std::string& path) override { return inner_->exists(path); }
    bool remove(const std::string& path) override { return inner_->remove(path); }

private:
    class Faulty final : public ll::dbf::File {
    public:
        Faulty(std::unique_ptr<ll::dbf::File> inner, std::shared_ptr<int64_t> budget, bool failHeaderWrites)
            : inner_(std::move(inner)), budget_(std::move(budget)), failHeaderWrites_(failHeaderWrites)
        {
        }
        int64_t readAt(int64_t offset, void* buffer, size_t size) override { return inner_->readAt(offset, buffer, size); }
        int64_t writeAt(int64_t offset, const void* data, size_t size) override
        {
            if (failHeaderWrites_ && offset < 32 && inner_->size() > 0) {
                error_ = EIO;
                return 0;
            }
            int64_t allowed = std::min<int64_t>(int64_t(size), std::max<int64_t>(*budget_, 0));
            int64_t written = allowed > 0 ? inner_->writeAt(offset, data, size_t(allowed)) : 0;
            *budget_ -= written;
            if (written < int64_t(size))
                error_ = ENOSPC;
            return written;
        }
        int64_t size() override { return inner_->size(); }
        bool truncate(int64_t size) override { return inner_->truncate(size); }
        bool flush() override { return inner_->flush(); }
        bool close() override { return inner_->close(); }
        int errorCode() const override { return error_; }

    private:
        std::unique_ptr<ll::dbf::File> inner_;
        std::shared_ptr<int64_t> budget_;
        bool failHeaderWrites_;
        int error_ = 0;
    };

    std::shared_ptr<ll::dbf::FileSystem> inner_;
    std::string suffix_;
    std::shared_ptr<int64_t> budget_;
    bool failHeaderWrites_;
};

} // namespace dbftest
