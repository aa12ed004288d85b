#pragma once
// Reads one worksheet substream (its BOF to the matching EOF) into a Sheet.

#include <cstddef>

#include "biff_error.h"
#include "byte_view.h"
#include "cell_records.h"

namespace ll::xl {
class Sheet;
}

namespace ll::xl::xls {

// Substreams embedded in the sheet (charts) are skipped. `bytesRead` gets
// the size of the substream, for the caller's bound on work.
BiffError readSheet(ByteView stream, size_t offset, CellContext& context, Sheet& sheet, size_t& bytesRead);

} // namespace ll::xl::xls
