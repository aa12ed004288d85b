#include "biff_error.h"

#include <cstdio>

namespace ll::xl::xls {

namespace {
std::string hex(uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%04llx", static_cast<unsigned long long>(value));
    return text;
}
} // namespace

std::string describe(const BiffError& error)
{
    auto n = [](uint64_t v) { return std::to_string(v); };
    std::string what;
    switch (error.kind) {
    case BiffFailure::None: return "ok";
    case BiffFailure::NoBof: what = "record " + hex(error.value) + " where a BOF belongs, at offset " + n(error.limit); break;
    case BiffFailure::NotGlobals: what = "stream opens with substream kind " + hex(error.value) + ", not workbook globals"; break;
    case BiffFailure::OldVersion: what = "BIFF2-4 worksheet (BOF " + hex(error.value) + ")"; break;
    case BiffFailure::UnknownVersion: what = "unknown BIFF version " + hex(error.value); break;
    case BiffFailure::Encrypted: what = "the workbook is encrypted (FILEPASS)"; break;
    case BiffFailure::Truncated: what = "record at offset " + n(error.value) + " runs past the stream's end"; break;
    case BiffFailure::MissingEof: what = "substream ends without EOF at offset " + n(error.value); break;
    case BiffFailure::SheetOutOfRange:
        what = "sheet offset " + n(error.value) + " past the stream's " + n(error.limit) + " bytes";
        break;
    case BiffFailure::OverlappingSheets:
        what = "sheets overlap: " + n(error.value) + " bytes read, more than " + n(error.limit);
        break;
    }
    return error.sheet.empty() ? what : "sheet \"" + error.sheet + "\": " + what;
}

} // namespace ll::xl::xls
