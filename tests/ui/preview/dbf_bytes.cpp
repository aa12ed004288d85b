#include "dbf_bytes.h"

namespace previewtest {

namespace {

void put16(std::string& out, size_t at, uint32_t value)
{
    out[at] = char(value & 0xFF);
    out[at + 1] = char((value >> 8) & 0xFF);
}

void put32(std::string& out, size_t at, uint32_t value)
{
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

} // namespace

std::string dbfHeader(const std::vector<DbfField>& fields, uint32_t recordCount, uint8_t codePageMark)
{
    uint32_t recordLength = 1;
    for (const DbfField& field : fields)
        recordLength += uint32_t(field.length);
    std::string out(32, '\0');
    out[0] = '\x03';
    out[1] = char(124); // 2024-06-30
    out[2] = char(6);
    out[3] = char(30);
    put32(out, 4, recordCount);
    put16(out, 8, uint32_t(32 + 32 * fields.size() + 1));
    put16(out, 10, recordLength);
    out[29] = char(codePageMark);
    for (const DbfField& field : fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, std::min<size_t>(field.name.size(), 10), field.name.substr(0, 10));
        descriptor[11] = field.type;
        descriptor[16] = char(field.length);
        descriptor[17] = char(field.decimals);
        out += descriptor;
    }
    out += '\x0D';
    return out;
}

void appendDbfRecord(std::string& out, const std::vector<DbfField>& fields, bool deleted,
                     const std::vector<std::string>& values)
{
    out += deleted ? '*' : ' ';
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t length = size_t(fields[i].length);
        std::string value = i < values.size() ? values[i].substr(0, length) : std::string();
        const std::string padding(length - value.size(), ' ');
        out += fields[i].type == 'N' ? padding + value : value + padding;
    }
}

} // namespace previewtest
