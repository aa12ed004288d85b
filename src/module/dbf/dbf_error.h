#pragma once
// Failures of the DBF engine: what went wrong and the values that explain
// it. Nothing in the engine throws; operations return false or an empty
// value and leave one of these behind.

#include <cstdint>
#include <string>

namespace ll::dbf {

enum class Failure {
    None,
    NotPrepared,       // addField or createTable before prepareNewTable
    UnknownFlavour,    // value: the flavour code
    UnknownFieldType,  // value: the type letter
    TooManyFields,     // value: fields kept; limit: what the header length allows
    RecordTooLong,     // value: record length the field would need; limit: 65535
    FieldRefused,      // a field after one the table could not hold; value: its index
    CannotCreate,      // path, sysError
    CannotOpen,        // path, sysError
    NotATable,         // path; value: file size (shorter than any header)
    UnknownVersion,    // path; value: the version byte
    BadHeaderLength,   // path; value: header length; limit: the bound it breaks
    BadRecordLength,   // path; value: record length; limit: 1 + the field widths
    ReadFailed,        // path, sysError; value: offset
    WriteFailed,       // path, sysError; value: bytes written; limit: bytes asked
    RecordsLost,       // path; value: records appended but not on disk
    NotOpen,
    ReadOnly,          // path: the table could only be opened for reading
    FieldIndex,        // value: index; limit: field count
    RecordIndex,       // value: record number; limit: record count
    FieldNotWritable,  // value: index; limit: the type letter
    MemoFileMissing,   // path of the memo file looked for
    MemoTooLarge,      // value: bytes; limit: what the memo file can address
    TableFailed,       // an earlier write failed; nothing more is appended
};

struct Error {
    Failure failure = Failure::None;
    std::string path;
    int64_t value = 0;
    int64_t limit = 0;
    int sysError = 0;
};

inline Error makeError(Failure failure, std::string path = {}, int64_t value = 0, int64_t limit = 0, int sysError = 0)
{
    return Error{failure, std::move(path), value, limit, sysError};
}

// The failure in words, for logs and lastError().
std::string describe(const Error& error);

} // namespace ll::dbf
