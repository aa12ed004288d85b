#pragma once
// xbtable: one object per DBF table, for creating, filling and reading it.
//
// Creating:  setEncoding, prepareNewTable, addField per field, createTable.
//            The new table stays open for appending until closeDBFfile or
//            the destructor.
// Filling:   setEncoding, openDBFfile, then per record clearRecord,
//            setField per cell, appendRecord(0); the destructor (or
//            closeDBFfile) writes what is buffered, fixes the header and
//            closes the files.
// Reading:   openDBFfile, recCount, fieldCount, field information,
//            getRecord(n), isDeleted, getString(i); setEncoding may change
//            while the table is open (texts read afterwards follow it).
//
// Flavours (prepareNewTable): 0 dBase III, 1 FoxPro, 2 dBase IV,
// 3 Visual FoxPro, 4 SMT, 6 "as is" (creates a dBase III table),
// 7 dBase 7. An existing table's flavour comes from its version byte.
//
// What is stored (details in the engine's headers, src/module/dbf):
//   C  text in the table's code page, blank-padded, cut to the width without
//      splitting a character; a character the code page lacks becomes '?'.
//   N  the number argument, right-aligned with the field's decimals; fewer
//      decimals when the value is too wide, blanks when even its integer
//      digits do not fit (number_text.h). A text without digits and a
//      number of 0 (an empty cell) leave the field blank.
//   D  "YYYYMMDDhhmmss" or "YYYYMMDD" (and dates in the current order, see
//      setDateFormat), checked against the calendar; else blank.
//   L  'T' for a text starting with one of "TtYy1", 'F' for "FfNn0", '?'
//      for other texts, blank for an empty one.
//   M  the text in the memo file; an empty text stores no memo.
//
// Limits: C 1..254 bytes, N 1..20 wide with 0..15 decimals, names of 10
// characters (31 in dBase 7) made unique. A table takes fields while its
// header (16-bit length) and record (65535 bytes) can hold them: 2046
// fields, 2038 in Visual FoxPro, 1363 in dBase 7. Once a field is refused,
// every later one is refused too, so the fields kept still match the
// caller's column numbers.
//
// Failures are return values (false, empty, NotFound) with lastError()
// saying why; nothing throws. A failed write never leaves a header that
// counts records missing from the file. The class knows no widgets and no
// Qt; texts in and out are UTF-8.

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ll::dbf {
class FileSystem;
struct Error;
}

class xbtable {
public:
    // What indexOfField answers for a name the table does not have.
    static constexpr int64_t NotFound = std::numeric_limits<int64_t>::max();

    xbtable();
    // Reads and writes through the given files (tests, the fuzzer).
    explicit xbtable(std::shared_ptr<ll::dbf::FileSystem> files);
    ~xbtable();
    xbtable(const xbtable&) = delete;
    xbtable& operator=(const xbtable&) = delete;

    // Character-set code (as stored in the options) of the table's text.
    // Also sets the code-page byte of tables created afterwards. Default:
    // ASCII (code 1).
    void setEncoding(int32_t charsetCode);

    // ---- creating
    // Starts an empty field list for a flavour; memoSize is the memo block
    // size in bytes (dBase III always uses 512; outside 16..32768 gives
    // 512). driver is not used. Closes a table left open.
    bool prepareNewTable(int flavour, int64_t memoSize, int driver);
    // Appends one field, name and shape fitted to the flavour (see above).
    bool addField(std::string_view name, char fieldType, int64_t length, int64_t decimal);
    // Writes the empty table (and its memo file when it has memo fields)
    // and keeps it open for appending. On failure no file is left behind.
    bool createTable(const std::string& path);

    // ---- opening and filling
    // Opens for appending, or for reading only when the file cannot be
    // written (see isWritable).
    bool openDBFfile(const std::string& path);
    // True when records can be appended to the open table.
    bool isWritable() const;
    void closeDBFfile();
    void clearRecord();
    bool isMemoField(int64_t index) const;
    // Stores a cell: C, M, D and L fields take the text, N fields the
    // number (blank when the text holds no digit and number is 0).
    bool setField(int64_t index, std::string_view text, double number);
    // Adds the record at the table's end; a non-zero flag marks it deleted.
    bool appendRecord(int flag);

    // ---- reading
    int64_t recCount() const;
    int64_t fieldCount() const;
    std::string fieldName(int64_t index) const;
    int64_t fieldLength(int64_t index) const;
    char fieldType(int64_t index) const;
    // N and F, and Visual FoxPro's I, B and Y.
    bool isNumericField(int64_t index) const;
    int64_t fieldDecimals(int64_t index) const;
    bool getRecord(int64_t recordNumber);
    bool isDeleted() const;
    // The current record's field as UTF-8: C right-trimmed, N trimmed, L
    // "T"/"F"/"", D in the current date format, M the memo text. Bytes the
    // encoding cannot decode show as '?'. nullopt when there is no current
    // record, the index is out of range, or the field cannot be read (a memo
    // pointer or length that lies, a missing memo file, a binary type).
    std::optional<std::string> getString(int64_t index) const;
    // Case-insensitive; works on the fields being prepared too.
    int64_t indexOfField(std::string_view name) const;

    // ---- dates: order "dmy", "mdy", "ymd" or "asis" (default), and the
    // delimiter. getString shows D fields in that order with the delimiter
    // ("asis" shows the stored YYYYMMDD); setField on a D field accepts, besides
    // the 14- and 8-digit forms, a date in that order with '.', '-' or '/'.
    // An unknown order is ignored.
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
    // The same failure with its values.
    const ll::dbf::Error& lastFailure() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
