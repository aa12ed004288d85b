#pragma once
// Compares what our reader sees in a workbook with an independent reader's
// dump of it (the corpus oracle JSON): worksheet names in order, extents,
// and every non-blank cell's type, value, date flag, format id and custom
// format text. Cells we see that the dump lacks are differences too.

#include <filesystem>
#include <string>
#include <vector>

namespace oracle {

struct Result {
    bool oracleReadable = true;   // false: the dump records that its reader failed
    bool weLoaded = false;
    std::string loadError;        // our reader's message when it failed
    std::vector<std::string> differences;
};

Result compare(const std::filesystem::path& workbook, const std::filesystem::path& dump, size_t maxDifferences = 25);

// Known, intended differences: lines "file name<TAB>reason" ('#' comments).
std::vector<std::pair<std::string, std::string>> readExpectations(const std::filesystem::path& file);

} // namespace oracle
