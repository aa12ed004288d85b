#pragma once
// Every resource limit of the .xlsx reader in one place. A workbook that
// goes past one is refused (LoadErrorKind::TooLarge) or, where noted, the
// excess is ignored; nothing is allocated from a file-controlled count
// before it has been clamped here.

#include <cstddef>
#include <cstdint>

namespace ll::xl::xlsx {

// Inflated bytes of one worksheet or shared-strings part. The largest sheet
// the grid allows is far below this in practice (a 1,000,000 x 10 sheet is
// about 410 MB of XML); beyond it a part is a decompression bomb.
inline constexpr uint64_t kMaxBulkPartBytes = uint64_t(4) << 30;

// Inflated bytes of all parts read for one book together. A workbook can
// name one part from many sheets; this bounds the work such a file causes.
inline constexpr uint64_t kMaxBookInflatedBytes = uint64_t(8) << 30;

// Inflated bytes of the small parts (workbook, relationships, styles). Real
// ones are kilobytes; bloated styles parts reach tens of megabytes.
inline constexpr uint64_t kMaxMetadataPartBytes = uint64_t(128) << 20;

// Entries in the zip's central directory that we index. Real workbooks have
// tens to a few thousand parts.
inline constexpr uint64_t kMaxZipEntries = 500'000;

// How much of a compound (OLE) file is searched for the name of an
// encrypted package before calling it simply "not a workbook".
inline constexpr uint64_t kMaxOleScanBytes = uint64_t(64) << 20;

// Bytes the XML parser may take without meeting a tag. A longer stretch is
// one huge token (which the parser would have to hold whole) or filler; the
// longest real texts are bounded by kMaxTextBytes.
inline constexpr uint64_t kMaxBytesBetweenTags = uint64_t(64) << 20;

// Size of the chunks that parts are inflated and parsed in.
inline constexpr size_t kChunkBytes = 256 << 10;

// Element nesting in any part. Worksheets nest about six deep; extension
// lists add a few more; deeper nesting serves no purpose here.
inline constexpr int kMaxXmlDepth = 256;

// Bytes of one text (a shared string, an inline string, a cell value).
// The spreadsheet limit is 32,767 characters; other producers write more,
// but a text of this size is an attack, not data.
inline constexpr size_t kMaxTextBytes = size_t(16) << 20;

// Cells in one book: 100 times a 1,000,000 x 10 sheet, 1.6 GB of cells.
inline constexpr uint64_t kMaxCells = 100'000'000;

// Texts in one book's string pool (shared, inline and formula texts):
// 16 times the shared strings of a 1,000,000 x 10 sheet. Each costs 12
// bytes of index besides its bytes, so an empty-string flood stops here.
inline constexpr uint64_t kMaxStrings = uint64_t(64) << 20;

// Sheets listed by the workbook part (the spreadsheet program's practical
// limit is a few thousand).
inline constexpr size_t kMaxSheets = 65'535;

// Styles: cell XF records and custom number formats kept. The spreadsheet
// program allows 64,000 XFs and a few hundred custom formats; the excess of
// an absurd styles part is ignored (its cells read as General).
inline constexpr uint32_t kMaxCellXfs = 1u << 20;
inline constexpr size_t kMaxCustomFormats = 65'536;

// The shared-string table's declared uniqueCount is only a hint for
// reserving the index: it is clamped to this and to what the part's size
// can hold (an <si/> element takes at least kMinSharedStringBytes bytes).
inline constexpr uint64_t kMaxReservedStrings = uint64_t(1) << 24;
inline constexpr uint64_t kMinSharedStringBytes = 5;

// A worksheet's <dimension> only hints at how many cells to reserve room
// for; the hint is clamped to what the part's size can hold, a cell with a
// value taking at least kMinCellBytes bytes ("<c><v>1</v></c>").
// The reservation never exceeds kMaxReservedCells (512 MB of cells); a
// bigger sheet grows from there.
inline constexpr uint64_t kMinCellBytes = 15;
inline constexpr uint64_t kMaxReservedCells = uint64_t(32) << 20;

// Inline and formula texts are looked up so that repeats are stored once;
// past this many distinct ones they are stored without the look-up, which
// keeps the look-up table's memory bounded.
inline constexpr size_t kMaxDedupedInlineStrings = 1u << 20;

} // namespace ll::xl::xlsx
