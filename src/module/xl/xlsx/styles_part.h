#pragma once
// The styles part: each cellXfs record's number-format id, in order, and the
// custom number formats (numFmts), handed to the book's NumberFormats.

#include <string_view>

#include "module/xl/load.h"

namespace ll::xl {
class NumberFormats;
}

namespace ll::xl::xlsx {

class ChunkSource;

LoadError readStylesPart(ChunkSource& source, std::string_view partName, NumberFormats& formats);

} // namespace ll::xl::xlsx
