#pragma once
// The workbook part: the sheets in workbook order (name and relationship
// id) and the date system.

#include <string>
#include <string_view>
#include <vector>

#include "module/xl/load.h"

namespace ll::xl::xlsx {

class ChunkSource;

struct SheetEntry {
    std::string name;           // UTF-8
    std::string relationshipId; // empty when the entry has none
};

struct WorkbookInfo {
    std::vector<SheetEntry> sheets;
    bool date1904 = false;
};

LoadError readWorkbookPart(ChunkSource& source, std::string_view partName, WorkbookInfo& info);

// An XML boolean attribute as producers write it: "1" or "true" (any case).
bool isTrueAttribute(const char* value);

} // namespace ll::xl::xlsx
