#pragma once
// The table header and field descriptors: building their bytes for a new
// table and reading them back from any table, trusting no length in it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dbf_error.h"
#include "flavour.h"

namespace ll::dbf {

struct FieldDesc {
    std::string name;      // as stored: ASCII for our tables, raw bytes for others
    char type = 'C';
    uint32_t width = 0;    // bytes in the record (C fields may exceed 255)
    uint8_t decimals = 0;
    uint32_t offset = 0;   // from the record's start; the delete flag is byte 0
};

struct TableLayout {
    FlavourTraits traits = traitsFor(Flavour::DBase3);
    uint8_t version = 0x03;
    uint8_t flags = 0;        // byte 28
    uint8_t languageDriver = 0;
    uint32_t recordCount = 0;
    uint32_t headerLength = 0;
    uint32_t recordLength = 1;
    std::vector<FieldDesc> fields;
};

struct HeaderDate {
    int year = 1900; // full year
    int month = 1;
    int day = 1;
};

HeaderDate today();

// Offsets and lengths of a new table: header length, record length and
// each field's offset, from the traits and the fields' widths.
void computeLayout(TableLayout& layout);

// Every header byte of a new table, descriptors and terminator included
// (headerLength bytes).
std::string encodeHeader(const TableLayout& layout, HeaderDate date);

// Bytes 1..7 of the header: the update date and the record count.
void encodeDateAndCount(HeaderDate date, uint32_t count, char out[7]);

// Reads a header from the table's first bytes (at most 65535 + the
// prefix, fewer when the file is shorter). fileSize bounds the record
// count, which is clamped to the records the file holds.
std::optional<TableLayout> parseHeader(std::string_view bytes, int64_t fileSize, Error& error);

// Bytes of the file to hand to parseHeader.
constexpr size_t kMaxHeaderBytes = 0xFFFF + 68;

} // namespace ll::dbf
