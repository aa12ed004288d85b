#pragma once
// The compound-file container that holds an .xls workbook stream: header,
// FAT (with the DIFAT that lists its sectors), directory, mini FAT and mini
// stream. Sector sizes of 512 and 4096 bytes.
//
// Every chain walk is bounded by the file's sector count and stops at the
// first sector seen twice, so a damaged file yields an error, never a hang.
// A FAT sector that lies past the end of a truncated file reads as free:
// chains that need it fail, others still read.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "byte_view.h"

namespace ll::xl::xls {

enum class CfbFailure {
    None,
    NotCompoundFile,  // no compound-file signature
    TruncatedHeader,  // value: the file's size
    BadHeader,        // value: the offending field (byte order, sector shift)
    SectorOutOfRange, // value: the sector; limit: sectors in the file
    CyclicChain,      // value: the sector met twice
    ChainTooShort,    // value: sectors the chain holds; limit: sectors the stream needs
    NoSuchStream,
};

struct CfbError {
    CfbFailure kind = CfbFailure::None;
    uint64_t value = 0;
    uint64_t limit = 0;
    explicit operator bool() const { return kind != CfbFailure::None; }
};

std::string describe(const CfbError& error);

// A stream's bytes: a view into the file when its sectors follow one another
// (the common case, no copy), else a copy gathered from its sectors.
struct StreamBytes {
    ByteView view;
    std::vector<uint8_t> copy;
};

class CompoundFile {
public:
    struct Entry {
        std::u16string name;
        uint8_t type = 0; // 1 storage, 2 stream, 5 root
        uint32_t left = 0, right = 0, child = 0;
        uint32_t start = 0;
        uint64_t size = 0;
    };

    // True when the bytes begin with the compound-file signature.
    static bool hasSignature(ByteView file);

    // Reads the header, FAT, directory and mini FAT. The file's bytes must
    // outlive this object.
    CfbError open(ByteView file);

    // The first stream directly below the root whose name equals one of
    // the names, compared without regard to ASCII case; earlier names win.
    // Falls back to any stream entry when the root's tree is damaged.
    const Entry* findStream(std::initializer_list<std::string_view> names) const;

    CfbError read(const Entry& entry, StreamBytes& out) const;

private:
    // Follows a chain through `table` for `units` sectors; every sector
    // must be below `limit`.
    CfbError chain(const std::vector<uint32_t>& table, uint32_t start, uint64_t units, uint64_t limit,
                   std::vector<uint32_t>& out) const;
    // Reads a whole FAT chain (directory, mini FAT), at most `maxUnits` long.
    std::vector<uint32_t> wholeChain(uint32_t start) const;
    CfbError readRegular(uint32_t start, uint64_t size, StreamBytes& out) const;
    CfbError readMini(uint32_t start, uint64_t size, StreamBytes& out) const;
    void loadFat(ByteView file, uint32_t fatSectors, uint32_t difatStart, uint32_t difatSectors);
    ByteView sector(uint32_t index) const;

    ByteView file_;
    uint32_t shift_ = 9;
    uint32_t sectorSize_ = 512;
    size_t sectorCount_ = 0;
    std::vector<uint32_t> fat_;
    std::vector<uint32_t> miniFat_;
    std::vector<Entry> entries_;
};

} // namespace ll::xl::xls
