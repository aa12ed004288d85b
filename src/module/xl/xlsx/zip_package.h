#pragma once
// The zip container of an .xlsx workbook: opens it from a file or from
// memory, finds parts by name, and streams one part at a time through a
// ChunkSource, never inflating a whole part into memory. Every part's
// inflated size is bounded by a ceiling and by the size the zip declares.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "chunk_source.h"
#include "module/xl/load.h"

struct zip;

namespace ll::xl::xlsx {

class ZipPackage {
public:
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    // Opens a package. Compound files (a password-protected workbook, or a
    // legacy workbook under the wrong extension) and other non-zip bytes fail
    // with Encrypted or NotAWorkbook. The bytes of openMemory must outlive
    // the package.
    static LoadError openFile(const std::string& path, std::unique_ptr<ZipPackage>& package);
    static LoadError openMemory(const char* data, size_t size, std::unique_ptr<ZipPackage>& package);

    // A part's entry, found whatever the case of its name, with or without a
    // leading '/', and with '\' as the separator.
    std::optional<uint64_t> find(std::string_view partName) const;

    // Streams a part's inflated bytes; reading fails past ceiling bytes, past
    // the size the zip declares for it, or past the book's inflate budget.
    // The source must not outlive the package.
    LoadError openPart(uint64_t entry, uint64_t ceiling, std::unique_ptr<ChunkSource>& source) const;
    // The inflated size the zip declares, or nullopt when it declares none.
    std::optional<uint64_t> declaredSize(uint64_t entry) const;
    std::string entryName(uint64_t entry) const;

private:
    explicit ZipPackage(zip* archive) : archive_(archive) {}
    LoadError indexEntries();

    zip* archive_;
    std::unordered_map<std::string, uint64_t> entries_; // part key -> entry
    // Bytes inflated from all parts so far, against kMaxBookInflatedBytes.
    mutable uint64_t inflatedTotal_ = 0;
};

// Converts a libzip error code into a load failure, naming what was done.
LoadError zipFailure(int zipErrorCode, std::string_view doing);

} // namespace ll::xl::xlsx
