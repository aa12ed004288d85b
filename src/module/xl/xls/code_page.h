#pragma once
// Decodes the byte strings of BIFF5/7 workbooks (sheet names, cell texts,
// format texts) from the workbook's code page to UTF-8 through ICU.

#include <cstdint>
#include <string>
#include <vector>

#include "byte_view.h"

struct UConverter;

namespace ll::xl::xls {

class CodePage {
public:
    CodePage();
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    // Chooses the converter for a CODEPAGE record's value. Values ICU does
    // not know, and workbooks without the record, decode as windows-1252
    // (its ASCII half is what such files can be relied on to hold).
    void select(uint16_t codePage);
    // The ICU converter name for a CODEPAGE value, or null when unknown.
    static const char* converterName(uint16_t codePage, std::string& scratch);

    void appendUtf8(ByteView bytes, std::string& out);

private:
    bool open(const char* name);

    UConverter* converter_ = nullptr;
    bool asciiCompatible_ = true;
    std::vector<char16_t> units_; // reused for every conversion
};

} // namespace ll::xl::xls
