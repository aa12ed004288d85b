#pragma once
// Files kept in memory, for the fuzzer and for tests that want to look at
// (or break) every byte the engine writes without touching the disk.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "file_io.h"

namespace ll::dbf {

class MemoryFileSystem final : public FileSystem {
public:
    // Writes that would grow a file past maxFileSize fail with EFBIG.
    explicit MemoryFileSystem(int64_t maxFileSize = int64_t(1) << 30) : maxFileSize_(maxFileSize) {}

    std::unique_ptr<File> open(const std::string& path, OpenMode mode, int& errorCode) override;
    bool exists(const std::string& path) override;
    bool remove(const std::string& path) override;

    void put(const std::string& path, std::string bytes);
    std::optional<std::string> get(const std::string& path) const;

private:
    int64_t maxFileSize_;
    std::map<std::string, std::shared_ptr<std::string>> files_;
};

} // namespace ll::dbf
