#pragma once
// Writes small .xlsx workbooks for tests: sheets of numbers, texts (shared
// strings) and logicals, with styles that carry built-in or custom number
// formats. The package is the minimal one a spreadsheet program writes.

#include <map>
#include <string>
#include <vector>

namespace testsupport {

class XlsxBuilder {
public:
    // Starts a new sheet; cells go to the latest sheet.
    XlsxBuilder& sheet(const std::string& name);
    // A style index for a number format: a built-in id, or a custom text
    // (given an id from 164 on).
    int style(int numFmtId, const std::string& customText = "");
    XlsxBuilder& number(int row, int col, double value, int style = 0);
    XlsxBuilder& text(int row, int col, const std::string& utf8);
    XlsxBuilder& boolean(int row, int col, bool value);
    XlsxBuilder& date1904(bool on = true);

    bool save(const std::string& path) const;

private:
    struct Cell {
        int row, col;
        std::string xml; // the <c> element without its reference
    };
    struct Sheet {
        std::string name;
        std::vector<Cell> cells;
    };
    std::vector<Sheet> sheets_;
    std::vector<std::string> strings_;
    std::vector<std::pair<int, std::string>> customFormats_;
    std::vector<int> styles_ = {0};
    bool date1904_ = false;
};

// Column letters of a 0-based column: 0 -> "A", 26 -> "AA".
std::string columnName(int col);

} // namespace testsupport
