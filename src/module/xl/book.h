#pragma once
// The in-memory workbook that both readers (.xls and .xlsx) fill and that
// the xl... function layer (xl_api.h) reads.
//
// Memory: a cell is 16 bytes and lives in one vector per sheet, sorted by
// row and column, with a row index beside it; every text is stored once in
// the book's string pool. Nothing is allocated per cell on reading.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ll::xl {

// Cell types as the callers number them: 1 number, 2 text, 3 logical; the
// others read as empty.
enum class CellType : uint8_t { Empty = 0, Number = 1, String = 2, Boolean = 3, Blank = 4, Error = 5 };

// Largest sheet the model accepts (the .xlsx grid).
inline constexpr uint32_t kMaxRows = 1u << 20;
inline constexpr uint32_t kMaxCols = 1u << 14;

struct Cell {
    union {
        double number;       // Number
        uint32_t index;      // String: string-pool index; Boolean: 0/1; Error: error code
    } value;
    uint32_t col;
    uint32_t typeAndXf;      // type in the top 4 bits, style (XF) index below

    CellType type() const { return CellType(typeAndXf >> 28); }
    uint32_t xf() const { return typeAndXf & 0x0FFFFFFF; }
};
static_assert(sizeof(Cell) == 16);

// Texts stored once, NUL-terminated, in large chunks that never move, so
// the pointers handed out stay valid for the life of the book.
class StringPool {
public:
    uint32_t add(std::string_view utf8);
    const char* c_str(uint32_t index) const { return starts_[index]; }
    std::string_view view(uint32_t index) const { return {starts_[index], lengths_[index]}; }
    size_t size() const { return starts_.size(); }
    size_t bytes() const { return used_; }
    void reserve(size_t count) { starts_.reserve(count); lengths_.reserve(count); }
    // Moves another pool's texts to the end of this one, without copying
    // their bytes: other's text i becomes this pool's text size() + i.
    void append(StringPool&& other);

private:
    std::vector<std::unique_ptr<char[]>> chunks_;
    size_t chunkFree_ = 0;
    char* chunkNext_ = nullptr;
    std::vector<const char*> starts_;
    std::vector<uint32_t> lengths_;
    size_t used_ = 0;
};

enum class SheetKind : uint8_t { Worksheet, Chart, Macro, Dialog, Other };

class Sheet {
public:
    explicit Sheet(std::string name, SheetKind kind = SheetKind::Worksheet)
        : name_(std::move(name)), kind_(kind) {}

    const std::string& name() const { return name_; }
    SheetKind kind() const { return kind_; }

    // Building. Cells may come in any order; a later cell at the same place
    // replaces an earlier one. Rows or columns outside the grid are dropped
    // (returns false).
    bool setNumber(uint32_t row, uint32_t col, uint32_t xf, double value);
    bool setString(uint32_t row, uint32_t col, uint32_t xf, uint32_t stringIndex);
    bool setBoolean(uint32_t row, uint32_t col, uint32_t xf, bool value);
    bool setError(uint32_t row, uint32_t col, uint32_t xf, uint8_t code);
    bool setBlank(uint32_t row, uint32_t col, uint32_t xf);
    // Room for this many cells, when the reader knows roughly how many come.
    void reserve(size_t cells) { cells_.reserve(cells); }
    // Sorts, removes replaced cells and builds the row index. Reading
    // before finish() sees nothing.
    void finish();

    // One past the last row and column that hold a value (number, text,
    // logical or error); styled blank cells do not extend a sheet.
    uint32_t lastRow() const { return lastRow_; }
    uint32_t lastCol() const { return lastCol_; }
    // The cell at a place, or null when the file stores none there.
    const Cell* cellAt(uint32_t row, uint32_t col) const;
    size_t cellCount() const { return cells_.size(); }
    // Rewrites the string index of every text cell after loading: f(index)
    // sets the new index, or returns false to drop the cell, as a loader
    // drops a value it cannot read. The extents are computed again.
    template <class F>
    void remapStrings(F f)
    {
        uint32_t kept = 0;
        for (uint32_t r = 0; r + 1 < rowStart_.size(); ++r) {
            uint32_t begin = rowStart_[r];
            uint32_t end = rowStart_[r + 1];
            rowStart_[r] = kept;
            for (uint32_t i = begin; i < end; ++i) {
                Cell cell = cells_[i];
                if (cell.type() == CellType::String && !f(cell.value.index))
                    continue;
                cells_[kept++] = cell;
            }
        }
        if (!rowStart_.empty())
            rowStart_.back() = kept;
        cells_.resize(kept);
        computeExtents();
    }
    // Calls f(row, cell) for every stored cell in row and column order.
    template <class F>
    void forEachCell(F f) const
    {
        for (uint32_t r = 0; r + 1 < rowStart_.size(); ++r)
            for (uint32_t i = rowStart_[r]; i < rowStart_[r + 1]; ++i)
                f(r, cells_[i]);
    }

private:
    bool add(uint32_t row, uint32_t col, uint32_t typeAndXf, double number, uint32_t index);
    void computeExtents();

    std::string name_;
    SheetKind kind_;
    std::vector<Cell> cells_;          // sorted by (row, col) once finished
    std::vector<uint32_t> rowStart_;   // cells of row r: [rowStart_[r], rowStart_[r + 1])
    // Cells that arrived out of order while building, with their rows.
    struct Stray {
        uint32_t row;
        Cell cell;
    };
    std::vector<Stray> strays_;
    uint32_t buildRow_ = 0;
    bool anyCell_ = false;
    uint32_t lastRow_ = 0;
    uint32_t lastCol_ = 0;
};

// What a cell's style says about its number: the number-format id and,
// through the book, the custom format text.
struct Format {
    int numFormat = 0;
    bool isDate = false;
    bool alwaysDate = false; // a date whatever the format says (see addDateVariant)
};

// Number formats of a book: style (XF) index -> number-format id, and the
// custom format texts that the file defines.
class NumberFormats {
public:
    void setXfFormat(uint32_t xf, int numFormatId);
    void setCustomText(int numFormatId, std::string text);
    // Marks built-in ids that count as dates (CJK ids 27-36 and 50-58 are
    // dates in .xls files only, where the file's locale defines them).
    void setCjkDateIds(bool on) { cjkDates_ = on; }
    // When on, a format text the file defines decides the date flag for any
    // id, built-in ids it redefines included (.xlsx styles parts redefine
    // ids such as 59 "m/d"); when off, only ids from 164 take the file's text.
    void setDefinedTextsDecide(bool on) { definedTextsDecide_ = on; }
    // Adds a style that reads as xf does but always as a date, for cells the
    // file itself marks as dates; returns its index. The flag holds also
    // when finish() runs later.
    uint32_t addDateVariant(uint32_t xf);
    // Computes the date flags; call once after loading.
    void finish();

    const Format& formatOfXf(uint32_t xf) const;
    // The custom text of an id, or null for a built-in format, for an id the
    // file does not define, and for a custom "General".
    const char* customText(int numFormatId) const;
    size_t xfCount() const { return formats_.size(); }

private:
    std::vector<Format> formats_;
    std::unordered_map<int, std::string> custom_;
    bool cjkDates_ = false;
    bool definedTextsDecide_ = false;
    Format general_;
};

// True when a format text shows a date or a time: a d, m, y, h or s outside
// quotes, escapes, fill and padding characters and bracketed sections
// (elapsed-time brackets such as [h] count), in the first section.
bool isDateFormatText(std::string_view text);
// True for the built-in ids that show dates or times.
bool isBuiltinDateFormat(int id, bool cjkDates);

class Book {
public:
    enum class Kind { Xls, Xlsx };
    explicit Book(Kind kind) : kind_(kind) {}

    Kind kind() const { return kind_; }
    bool date1904 = false;
    StringPool strings;
    NumberFormats formats;
    std::vector<std::unique_ptr<Sheet>> sheets;

    Sheet& addSheet(std::string name, SheetKind kind = SheetKind::Worksheet)
    {
        sheets.push_back(std::make_unique<Sheet>(std::move(name), kind));
        return *sheets.back();
    }

private:
    Kind kind_;
};

// Splits a date serial of the book's date system into its parts. Serial 60
// of the 1900 system is 29 February 1900, as spreadsheet programs show it.
// Returns false for a negative or too large number.
struct DateParts {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};
bool unpackDate(double serial, bool date1904, DateParts& parts);

} // namespace ll::xl
