#pragma once
// A file's bytes mapped read-only into memory: no copy and no zero fill
// before the reader looks at them. Unmapped when the object goes.

#include <cstddef>
#include <cstdint>
#include <string>

namespace ll::xl::xls {

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False with a reason in `why` when the file cannot be opened or mapped.
    bool open(const std::string& path, std::string& why);
    const char* data() const { return static_cast<const char*>(data_); }
    size_t size() const { return size_; }

private:
    void* data_ = nullptr;
    size_t size_ = 0;
};

} // namespace ll::xl::xls
