// Fuzz target for the DBF engine: the input becomes a table and its memo
// file in memory, which are opened, read field by field, appended to and
// read again.
//
// Input: one selector byte (bits 0-1 the memo file's extension, bits 2-4
// the encoding, bits 5-7 the date format), a 4-byte little-endian length of
// the table's bytes, the table's bytes, then the memo file's bytes.
// make_seeds.py turns sample tables into inputs of this shape.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "module/dbf/memory_file_system.h"
#include "module/dbf/xbtable.h"

namespace {

void readEverything(xbtable& table)
{
    for (int64_t i = 0; i < table.fieldCount(); ++i) {
        std::string name = table.fieldName(i);
        (void)table.indexOfField(name);
        (void)table.fieldType(i);
        (void)table.fieldLength(i);
        (void)table.fieldDecimals(i);
        (void)table.isNumericField(i);
        (void)table.isMemoField(i);
    }
    for (int64_t row = 0; row < table.recCount(); ++row) {
        if (!table.getRecord(row))
            continue;
        (void)table.isDeleted();
        for (int64_t i = 0; i < table.fieldCount(); ++i)
            (void)table.getString(i);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 5)
        return 0;
    const uint8_t selector = data[0];
    uint32_t length = uint32_t(data[1]) | uint32_t(data[2]) << 8 | uint32_t(data[3]) << 16 | uint32_t(data[4]) << 24;
    std::string rest(reinterpret_cast<const char*>(data + 5), size - 5);
    if (length > rest.size())
        length = uint32_t(rest.size());

    static const char* const kMemoPaths[] = {"/t/f.dbt", "/t/f.fpt", "/t/f.smt", "/t/f.DBT"};
    static const int32_t kCodes[] = {11, 4, 12, 1, int32_t(0x8000041B), 3, 10, int32_t(0x80000410)};
    auto files = std::make_shared<ll::dbf::MemoryFileSystem>(int64_t(4) << 20);
    files->put("/t/f.dbf", rest.substr(0, length));
    files->put(kMemoPaths[selector & 3], rest.substr(length));

    xbtable table(files);
    table.setEncoding(kCodes[(selector >> 2) & 7]);
    table.setIntDateFormat((selector >> 5) % 10);
    if (!table.openDBFfile("/t/f.dbf"))
        return 0;
    readEverything(table);

    // Append one record filled from texts that suit every type, then read
    // the table again as it is left on disk.
    table.clearRecord();
    for (int64_t i = 0; i < table.fieldCount(); ++i)
        table.setField(i, i % 2 ? "20240229123456" : "Ёжик 12.5 ★", 12.5 * double(i));
    table.appendRecord(selector & 1);
    table.closeDBFfile();
    if (table.openDBFfile("/t/f.dbf"))
        readEverything(table);
    return 0;
}
