#pragma once
// The table flavours and what sets them apart on disk: version bytes,
// header and descriptor sizes, the memo file, name lengths.
//
// Writer codes (prepareNewTable): 0 dBase III, 1 FoxPro, 2 dBase IV,
// 3 Visual FoxPro, 4 SMT, 6 "as is", 7 dBase 7. "As is" creates a dBase III
// table: the layout every reader knows.

#include <cstdint>
#include <optional>

namespace ll::dbf {

enum class Flavour { DBase3, FoxPro, DBase4, VisualFoxPro, Smt, DBase7 };

enum class MemoKind {
    None,
    Dbt3, // .dbt, 512-byte blocks, text ended by 0x1A 0x1A
    Dbt4, // .dbt, block size at offset 20, blocks framed FF FF 08 00 + length
    Fpt,  // .fpt, big-endian header and block framing
    Smt,  // .smt, raw bytes; type and length live in the table's field
};

struct FlavourTraits {
    Flavour flavour;
    uint8_t versionPlain;   // byte 0 of a table without memo fields
    uint8_t versionMemo;    // byte 0 with memo fields
    MemoKind memo;
    int headerPrefix;       // bytes before the first field descriptor
    int descriptorSize;     // 32, or 48 for dBase 7
    int backlink;           // bytes after the terminator (Visual FoxPro)
    int nameLength;         // longest field name
    int memoFieldWidth;     // 10, or 4 for Visual FoxPro's binary pointer
    bool descriptorOffsets; // descriptor bytes 12..15 hold the field's offset
    bool memoFlagInByte28;  // Visual FoxPro's 0x02 "has memo" flag
};

// The traits for a writer code; nullopt for an unknown code.
std::optional<FlavourTraits> traitsForWriterCode(int code);
FlavourTraits traitsFor(Flavour flavour);

// The flavour of an existing table from its version byte; nullopt for a
// byte no reader here would take.
std::optional<FlavourTraits> traitsForVersionByte(uint8_t version);

// Whether a version byte marks a table that has a memo file.
bool versionHasMemo(uint8_t version);

// Fields a header of this flavour can describe within its 16-bit length.
int maxFieldCount(const FlavourTraits& traits);

const char* memoExtension(MemoKind kind);

} // namespace ll::dbf
