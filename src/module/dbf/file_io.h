#pragma once
// The file seam of the DBF engine: every byte of a table and its memo file
// goes through these two small interfaces, so tests can put a short write or
// a full disk under the engine, and the fuzzer can run in memory.
//
// Reads and writes are positional (they name their offset), so a File keeps
// no seek position that two users could disturb.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace ll::dbf {

class File {
public:
    virtual ~File() = default;

    // Reads up to size bytes at offset. Returns the count read, short only
    // at the end of the file, or -1 on an error (errorCode() says which).
    virtual int64_t readAt(int64_t offset, void* buffer, size_t size) = 0;

    // Writes size bytes at offset. Returns the count written; anything
    // less than size (a full disk, a quota) comes with errorCode() set.
    virtual int64_t writeAt(int64_t offset, const void* data, size_t size) = 0;

    // The file's length in bytes, or -1.
    virtual int64_t size() = 0;
    virtual bool truncate(int64_t size) = 0;
    // Hands written data to the system (no durability promise beyond that).
    virtual bool flush() = 0;
    // Closes the file; the destructor closes it too when this was not called.
    virtual bool close() = 0;
    // errno-style code of the last failure, 0 when none.
    virtual int errorCode() const = 0;
};

enum class OpenMode {
    Read,      // existing file, reading only
    ReadWrite, // existing file
    Create,    // new or emptied file, reading and writing
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // nullptr on failure, with errorCode set.
    virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode, int& errorCode) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual bool remove(const std::string& path) = 0;
};

// The operating system's files.
std::shared_ptr<FileSystem> systemFileSystem();

} // namespace ll::dbf
