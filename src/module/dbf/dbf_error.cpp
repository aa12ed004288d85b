#include "dbf_error.h"

#include <cstring>

namespace ll::dbf {
namespace {

std::string num(int64_t value)
{
    return std::to_string(value);
}

std::string systemReason(const Error& error)
{
    return error.sysError != 0 ? std::string(": ") + std::strerror(error.sysError) : std::string();
}

} // namespace

std::string describe(const Error& e)
{
    switch (e.failure) {
    case Failure::None:
        return {};
    case Failure::NotPrepared:
        return "no table is being prepared (prepareNewTable was not called)";
    case Failure::UnknownFlavour:
        return "unknown table flavour " + num(e.value);
    case Failure::UnknownFieldType:
        return std::string("unknown field type '") + char(e.value) + "'";
    case Failure::TooManyFields:
        return "the table holds at most " + num(e.limit) + " fields; field " + num(e.value + 1) + " was refused";
    case Failure::RecordTooLong:
        return "a record of " + num(e.value) + " bytes is longer than the " + num(e.limit) + " a table allows";
    case Failure::FieldRefused:
        return "field " + num(e.value + 1) + " was refused because an earlier field did not fit";
    case Failure::CannotCreate:
        return "cannot create " + e.path + systemReason(e);
    case Failure::CannotOpen:
        return "cannot open " + e.path + systemReason(e);
    case Failure::NotATable:
        return e.path + " is not a DBF table (" + num(e.value) + " bytes)";
    case Failure::UnknownVersion:
        return e.path + " has an unknown version byte " + num(e.value);
    case Failure::BadHeaderLength:
        return e.path + ": header length " + num(e.value) + " does not fit (bound " + num(e.limit) + ")";
    case Failure::BadRecordLength:
        return e.path + ": record length " + num(e.value) + " is shorter than its fields need (" + num(e.limit) + ")";
    case Failure::ReadFailed:
        return "cannot read " + e.path + " at byte " + num(e.value) + systemReason(e);
    case Failure::WriteFailed:
        return "cannot write " + e.path + " (" + num(e.value) + " of " + num(e.limit) + " bytes written)" + systemReason(e);
    case Failure::RecordsLost:
        return num(e.value) + " appended records could not be written to " + e.path;
    case Failure::NotOpen:
        return "no table is open";
    case Failure::ReadOnly:
        return e.path + " is open for reading only";
    case Failure::FieldIndex:
        return "field index " + num(e.value) + " is outside the table's " + num(e.limit) + " fields";
    case Failure::RecordIndex:
        return "record " + num(e.value) + " is outside the table's " + num(e.limit) + " records";
    case Failure::FieldNotWritable:
        return std::string("field ") + num(e.value) + " of type '" + char(e.limit) + "' cannot be written";
    case Failure::MemoFileMissing:
        return "memo file " + e.path + " is missing";
    case Failure::MemoTooLarge:
        return "a memo of " + num(e.value) + " bytes does not fit in the memo file (limit " + num(e.limit) + ")";
    case Failure::TableFailed:
        return "an earlier write to the table failed; nothing more is appended";
    }
    return "unknown failure";
}

} // namespace ll::dbf
