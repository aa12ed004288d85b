#pragma once
// Bytes of the memo files, per kind: the header block and the framing
// around each memo's text. Block n starts at byte n * block size; the header
// fills whole blocks and at least 512 bytes, so readers that assume 512-byte
// headers never take data for header.
//
//   .dbt dBase III  next free block (LE) at 0, 512 (LE) at 4, 0x03 at 16;
//                   text then 0x1A 0x1A; blocks are 512 bytes whatever is asked.
//   .dbt dBase IV/7 next free block (LE) at 0, block size (LE32) at 4 and
//                   (LE16) at 20, the table's name at 8; each memo
//                   FF FF 08 00 + LE32 length including those 8 bytes.
//   .fpt            next free block (BE) at 0, block size (BE16) at 6;
//                   each memo BE32 type 1 (text) + BE32 text length.
//   .smt            next free block (LE) at 0, block size (LE32) at 4; raw
//                   text, its length kept in the table's field.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "flavour.h"

namespace ll::dbf {

constexpr uint32_t kDbt3BlockSize = 512;
constexpr uint32_t kMinMemoBlockSize = 16;
constexpr uint32_t kMaxMemoBlockSize = 32768;
// A memo file's block size read from disk beyond this is taken as a lie
// (the .fpt and dBase IV headers hold 16 bits; padding each memo to a
// larger block would write that much per memo).
constexpr uint32_t kMaxForeignBlockSize = 1u << 16;

// The block size a new memo file gets: 512 for dBase III, otherwise the
// requested size, or 512 when it lies outside 16..32768.
uint32_t newMemoBlockSize(MemoKind kind, int64_t requested);

// Blocks the header occupies.
uint32_t headerBlockCount(uint32_t blockSize);

// The header of a new memo file (headerBlockCount * blockSize bytes).
std::string encodeMemoHeader(MemoKind kind, uint32_t blockSize, uint32_t nextFree, std::string_view tableName);

// The next-free-block number as stored at offset 0.
void encodeNextFree(MemoKind kind, uint32_t nextFree, char out[4]);

struct MemoHeader {
    uint32_t blockSize;
    uint32_t nextFree;
};

// Reads a memo header from its first bytes (24 or more); nullopt when the
// block size is missing or absurd.
std::optional<MemoHeader> parseMemoHeader(MemoKind kind, std::string_view bytes);

// Bytes written before a memo's text (0 or 8).
size_t memoPrefix(MemoKind kind, uint64_t textLength, char out[8]);
// Bytes written after it (0 or 2).
size_t memoSuffix(MemoKind kind, char out[2]);

} // namespace ll::dbf
