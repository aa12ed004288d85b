#pragma once
// A table open on disk: its layout, its files, the record being filled and
// the record being read. xbtable is a thin face over this.
//
// Opening detects the flavour from the version byte and finds the memo
// file next to the table (.dbt, .fpt or .smt, in lower or upper case). A
// table whose memo file is missing still opens: its memo fields read as
// unreadable and cannot be set. The file opens for reading and writing
// when it may, else for reading only (appends then fail).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "date_text.h"
#include "dbf_error.h"
#include "file_io.h"
#include "memo_file.h"
#include "record_appender.h"
#include "record_codec.h"
#include "table_header.h"

namespace ll::dbf {

class OpenTable {
public:
    static std::unique_ptr<OpenTable> open(FileSystem& files, const std::string& path, Error& error);
    // Writes a new table (header and end mark, and its memo file when it has
    // memo fields) and keeps it open for appending. The layout's fields,
    // flavour and language driver must be set; the rest is computed here.
    // On failure nothing is left at the path.
    static std::unique_ptr<OpenTable> create(FileSystem& files, const std::string& path, TableLayout layout,
                                             int64_t memoBlockSize, Error& error);
    ~OpenTable();
    OpenTable(const OpenTable&) = delete;
    OpenTable& operator=(const OpenTable&) = delete;

    const TableLayout& layout() const { return layout_; }
    FieldKind kind(size_t index) const { return kinds_[index]; }
    const MemoFile* memo() const { return memo_.get(); }
    int64_t recordCount() const;

    // ---- filling
    void clearRecord();
    bool setField(size_t index, std::string_view text, double number, const text::Codec& codec,
                  const DateFormat& format, Error& error);
    bool appendRecord(bool deleted, Error& error);

    // ---- reading
    bool selectRecord(int64_t number, Error& error);
    bool hasCurrent() const { return current_ >= 0; }
    bool currentDeleted() const { return current_ >= 0 && currentRecord_[0] == '*'; }
    std::optional<std::string> fieldText(size_t index, const text::Codec& codec, const DateFormat& format);

    // False when the file could only be opened for reading.
    bool writable() const { return appender_ != nullptr; }
    // Writes what is queued, fixes the header and closes the files.
    bool close(Error& error);

private:
    OpenTable(std::unique_ptr<File> file, std::string path, TableLayout layout, std::unique_ptr<MemoFile> memo,
              bool writable);
    bool loadWindow(int64_t number, Error& error);

    std::unique_ptr<File> file_;
    std::string path_;
    TableLayout layout_;
    std::unique_ptr<MemoFile> memo_;
    std::unique_ptr<RecordAppender> appender_;
    std::vector<FieldKind> kinds_;

    // The record being filled, its empty form, and memo texts waiting for
    // appendRecord (one slot per memo field; -1 for other fields).
    std::vector<char> record_;
    std::vector<char> emptyRecord_;
    std::vector<int> memoSlot_;
    std::vector<std::string> memoText_;
    std::vector<char> memoSet_;

    // Reading: the current record and a window of records read ahead.
    int64_t current_ = -1;
    std::vector<char> currentRecord_;
    std::vector<char> window_;
    int64_t windowFirst_ = 0;
    int64_t windowCount_ = 0;
    std::string memoScratch_;
};

} // namespace ll::dbf
