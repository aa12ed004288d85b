#pragma once
// xbtable: one object per DBF table, for creating, filling and reading it.
//
// Creating:  setEncoding, prepareNewTable, addField per field, createTable.
// Filling:   setEncoding, openDBFfile, then per record clearRecord,
//            setField per cell, appendRecord(0); the destructor (or
//            closeDBFfile) writes the header and closes the files.
// Reading:   openDBFfile, recCount, fieldCount, field information,
//            getRecord(n), isDeleted, getString(i); setEncoding may change
//            while the table is open.
//
// Flavours (prepareNewTable): 0 dBase III, 1 FoxPro, 2 dBase IV,
// 3 Visual FoxPro, 4 SMT, 6 "as is", 7 dBase 7.
// Failures are return values (false, empty, NotFound); nothing throws.
// The class knows no widgets and no Qt; texts in and out are UTF-8.

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class xbtable {
public:
    // What indexOfField answers for a name the table does not have.
    static constexpr int64_t NotFound = std::numeric_limits<int64_t>::max();

    xbtable();
    ~xbtable();
    xbtable(const xbtable&) = delete;
    xbtable& operator=(const xbtable&) = delete;

    // Character-set code (as stored in the options) of the table's text.
    void setEncoding(int32_t charsetCode);

    // ---- creating
    bool prepareNewTable(int flavour, int64_t memoSize, int driver);
    bool addField(std::string_view name, char fieldType, int64_t length, int64_t decimal);
    bool createTable(const std::string& path);

    // ---- opening and filling
    bool openDBFfile(const std::string& path);
    void closeDBFfile();
    void clearRecord();
    bool isMemoField(int64_t index) const;
    // Stores a cell: C, M, D and L fields take the text, N fields the
    // number (a text that is no number leaves the field blank when number
    // is 0 and the text is empty).
    bool setField(int64_t index, std::string_view text, double number);
    bool appendRecord(int flag);

    // ---- reading
    int64_t recCount() const;
    int64_t fieldCount() const;
    std::string fieldName(int64_t index) const;
    int64_t fieldLength(int64_t index) const;
    char fieldType(int64_t index) const;
    bool isNumericField(int64_t index) const;
    int64_t fieldDecimals(int64_t index) const;
    bool getRecord(int64_t recordNumber);
    bool isDeleted() const;
    std::optional<std::string> getString(int64_t index) const;
    int64_t indexOfField(std::string_view name) const;

    // ---- dates: order "dmy", "mdy", "ymd" or "asis", and the delimiter
    void setDateFormat(std::string_view order);
    void setDateDelimiter(char delimiter);

    // ---- additions of the converter
    // Memo block size in bytes for an index 0..11 (16 << index); 512 for an
    // index outside that range.
    static int64_t blockSize(int64_t index);
    // Sends the date order and delimiter of a date-format index 0..9;
    // nothing for another index.
    void setIntDateFormat(int64_t index);

    // Why the last operation failed, in words (empty after success).
    const std::string& lastError() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
