#pragma once
// The options a conversion reads, taken once per source file so that the
// per-cell work neither locks the options record nor allocates.

#include <cstdint>

#include "options/logical_value.h"

class myOptions;

struct ConversionSettings {
    int32_t charsetCode = 0;     // code of targetCharset
    int64_t typeOfFile = 0;
    int64_t firstLine = 0;
    int64_t allCharacter = 0;
    int64_t precision = 0;
    int64_t blockSize = 5;
    int64_t removeSpaces = 0;
    int64_t removeCRLF = 0;
    LogicalRule logical;

    static ConversionSettings from(const myOptions& options);
    // 0 or 1: the first row that holds data.
    uint32_t firstDataRow() const { return firstLine != 0 ? 1 : 0; }
};
