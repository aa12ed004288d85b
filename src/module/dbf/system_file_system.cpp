// POSIX files behind the engine's file seam.
#include "file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ll::dbf {
namespace {

class SystemFile final : public File {
public:
    explicit SystemFile(int fd) : fd_(fd) {}
    ~SystemFile() override { close(); }

    int64_t readAt(int64_t offset, void* buffer, size_t size) override
    {
        auto* out = static_cast<char*>(buffer);
        size_t done = 0;
        while (done < size) {
            ssize_t n = ::pread(fd_, out + done, size - done, off_t(offset + int64_t(done)));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                error_ = errno;
                return -1;
            }
            if (n == 0)
                break;
            done += size_t(n);
        }
        return int64_t(done);
    }

    int64_t writeAt(int64_t offset, const void* data, size_t size) override
    {
        const auto* in = static_cast<const char*>(data);
        size_t done = 0;
        while (done < size) {
            ssize_t n = ::pwrite(fd_, in + done, size - done, off_t(offset + int64_t(done)));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                error_ = errno;
                break;
            }
            if (n == 0) {
                error_ = ENOSPC;
                break;
            }
            done += size_t(n);
        }
        return int64_t(done);
    }

    int64_t size() override
    {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) {
            error_ = errno;
            return -1;
        }
        return int64_t(st.st_size);
    }

    bool truncate(int64_t size) override
    {
        if (::ftruncate(fd_, off_t(size)) == 0)
            return true;
        error_ = errno;
        return false;
    }

    bool flush() override { return fd_ >= 0; }

    bool close() override
    {
        if (fd_ < 0)
            return true;
        int rc = ::close(fd_);
        fd_ = -1;
        if (rc != 0)
            error_ = errno;
        return rc == 0;
    }

    int errorCode() const override { return error_; }

private:
    int fd_;
    int error_ = 0;
};

class SystemFileSystem final : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode, int& errorCode) override
    {
        int flags = O_CLOEXEC;
        switch (mode) {
        case OpenMode::Read:
            flags |= O_RDONLY;
            break;
        case OpenMode::ReadWrite:
            flags |= O_RDWR;
            break;
        case OpenMode::Create:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
        }
        int fd = ::open(path.c_str(), flags, 0666);
        if (fd < 0) {
            errorCode = errno;
            return nullptr;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            errorCode = EISDIR;
            return nullptr;
        }
        errorCode = 0;
        return std::make_unique<SystemFile>(fd);
    }

    bool exists(const std::string& path) override
    {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }

    bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }
};

} // namespace

std::shared_ptr<FileSystem> systemFileSystem()
{
    static const std::shared_ptr<FileSystem> files = std::make_shared<SystemFileSystem>();
    return files;
}

} // namespace ll::dbf
