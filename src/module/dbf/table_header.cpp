#include "table_header.h"

#include <algorithm>
#include <ctime>

#include "byte_order.h"

namespace ll::dbf {
namespace {

constexpr char kTerminator = 0x0D;

void encodeDescriptor(const FieldDesc& field, const FlavourTraits& traits, char* out)
{
    if (traits.descriptorSize == 48) {
        std::memcpy(out, field.name.data(), std::min<size_t>(field.name.size(), 31));
        out[32] = field.type;
        out[33] = char(field.width & 0xFF);
        out[34] = char(field.decimals);
        return;
    }
    std::memcpy(out, field.name.data(), std::min<size_t>(field.name.size(), 10));
    out[11] = field.type;
    if (traits.descriptorOffsets)
        storeLe32(out + 12, field.offset);
    out[16] = char(field.width & 0xFF);
    out[17] = char(field.decimals);
}

FieldDesc decodeDescriptor(const char* in, int size)
{
    FieldDesc field;
    const size_t nameRoom = size == 48 ? 32 : 11;
    size_t nameLength = 0;
    while (nameLength < nameRoom && in[nameLength] != '\0')
        ++nameLength;
    field.name.assign(in, nameLength);
    const char* shape = in + (size == 48 ? 32 : 11);
    field.type = shape[0];
    int widthAt = size == 48 ? 1 : 5;
    field.width = static_cast<unsigned char>(shape[widthAt]);
    field.decimals = static_cast<uint8_t>(shape[widthAt + 1]);
    return field;
}

// C fields wider than 255 keep the high byte of the width in the decimals
// byte in some writers. That reading is taken only when the record length
// agrees with it, so a plain table is never misread.
bool applyWideCharacterWidths(std::vector<FieldDesc>& fields, uint32_t recordLength)
{
    uint64_t plain = 1;
    uint64_t wide = 1;
    for (const FieldDesc& f : fields) {
        plain += f.width;
        wide += f.width + (f.type == 'C' ? uint32_t(f.decimals) << 8 : 0);
    }
    bool useWide = wide == recordLength && wide != plain;
    if (useWide) {
        for (FieldDesc& f : fields) {
            if (f.type == 'C') {
                f.width += uint32_t(f.decimals) << 8;
                f.decimals = 0;
            }
        }
        return true;
    }
    return plain <= recordLength;
}

} // namespace

HeaderDate today()
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
    if (!localtime_r(&now, &local))
        return {};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void computeLayout(TableLayout& layout)
{
    uint32_t offset = 1;
    for (FieldDesc& field : layout.fields) {
        field.offset = offset;
        offset += field.width;
    }
    layout.recordLength = offset;
    const FlavourTraits& t = layout.traits;
    layout.headerLength = uint32_t(t.headerPrefix) + uint32_t(t.descriptorSize) * uint32_t(layout.fields.size()) + 1
        + uint32_t(t.backlink);
}

void encodeDateAndCount(HeaderDate date, uint32_t count, char out[7])
{
    out[0] = char(std::clamp(date.year - 1900, 0, 255));
    out[1] = char(std::clamp(date.month, 1, 12));
    out[2] = char(std::clamp(date.day, 1, 31));
    storeLe32(out + 3, count);
}

std::string encodeHeader(const TableLayout& layout, HeaderDate date)
{
    std::string bytes(layout.headerLength, '\0');
    char* p = bytes.data();
    p[0] = char(layout.version);
    encodeDateAndCount(date, layout.recordCount, p + 1);
    storeLe16(p + 8, layout.headerLength);
    storeLe16(p + 10, layout.recordLength);
    p[28] = char(layout.flags);
    p[29] = char(layout.languageDriver);
    const FlavourTraits& t = layout.traits;
    size_t at = size_t(t.headerPrefix);
    for (const FieldDesc& field : layout.fields) {
        encodeDescriptor(field, t, p + at);
        at += size_t(t.descriptorSize);
    }
    p[at] = kTerminator;
    return bytes;
}

std::optional<TableLayout> parseHeader(std::string_view bytes, int64_t fileSize, Error& error)
{
    if (bytes.size() < 32 || fileSize < 32) {
        error = makeError(Failure::NotATable, {}, fileSize);
        return std::nullopt;
    }
    const char* p = bytes.data();
    auto version = static_cast<uint8_t>(p[0]);
    std::optional<FlavourTraits> traits = traitsForVersionByte(version);
    if (!traits) {
        error = makeError(Failure::UnknownVersion, {}, version);
        return std::nullopt;
    }
    TableLayout layout;
    layout.traits = *traits;
    layout.version = version;
    layout.recordCount = loadLe32(p + 4);
    layout.headerLength = loadLe16(p + 8);
    layout.recordLength = loadLe16(p + 10);
    layout.flags = static_cast<uint8_t>(p[28]);
    layout.languageDriver = static_cast<uint8_t>(p[29]);

    const uint32_t prefix = uint32_t(traits->headerPrefix);
    const uint32_t descriptor = uint32_t(traits->descriptorSize);
    if (layout.headerLength < prefix + 1) {
        error = makeError(Failure::BadHeaderLength, {}, layout.headerLength, prefix + 1);
        return std::nullopt;
    }
    if (int64_t(layout.headerLength) > fileSize || layout.headerLength > bytes.size()) {
        error = makeError(Failure::BadHeaderLength, {}, layout.headerLength, std::min<int64_t>(fileSize, bytes.size()));
        return std::nullopt;
    }
    uint32_t at = prefix;
    while (p[at] != kTerminator) {
        if (at + descriptor >= layout.headerLength) {
            // The descriptors (and their terminator) run past the header.
            error = makeError(Failure::BadHeaderLength, {}, layout.headerLength, at + descriptor + 1);
            return std::nullopt;
        }
        layout.fields.push_back(decodeDescriptor(p + at, int(descriptor)));
        at += descriptor;
    }
    if (layout.recordLength == 0 || !applyWideCharacterWidths(layout.fields, layout.recordLength)) {
        uint64_t need = 1;
        for (const FieldDesc& f : layout.fields)
            need += f.width;
        error = makeError(Failure::BadRecordLength, {}, layout.recordLength, int64_t(need));
        return std::nullopt;
    }
    uint32_t offset = 1;
    for (FieldDesc& field : layout.fields) {
        field.offset = offset;
        offset += field.width;
    }
    int64_t held = (fileSize - int64_t(layout.headerLength)) / int64_t(layout.recordLength);
    layout.recordCount = uint32_t(std::min<int64_t>(layout.recordCount, held));
    return layout;
}

} // namespace ll::dbf
