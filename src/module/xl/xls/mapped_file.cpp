#include "mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ll::xl::xls {

MappedFile::~MappedFile()
{
    if (data_)
        munmap(data_, size_);
}

bool MappedFile::open(const std::string& path, std::string& why)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    struct stat info {};
    bool ok = fstat(fd, &info) == 0;
    if (!ok) {
        why = std::strerror(errno);
    } else if (!S_ISREG(info.st_mode)) {
        why = "not a regular file";
        ok = false;
    } else if (info.st_size > 0) {
        void* mapped = mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (mapped == MAP_FAILED) {
            why = std::strerror(errno);
            ok = false;
        } else {
            data_ = mapped;
            size_ = size_t(info.st_size);
        }
    }
    ::close(fd);
    return ok;
}

} // namespace ll::xl::xls
