#include "xls_builder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "module/xl/book.h"

namespace xlsbuild {

namespace {
constexpr uint32_t kEnd = 0xFFFFFFFE;
constexpr uint32_t kFree = 0xFFFFFFFF;
constexpr uint32_t kFatMark = 0xFFFFFFFD;
constexpr uint32_t kDifatMark = 0xFFFFFFFC;
} // namespace

std::string u8(uint8_t v) { return std::string(1, char(v)); }
std::string u16(uint16_t v) { return {char(v & 0xFF), char(v >> 8)}; }
std::string u32(uint32_t v) { return u16(uint16_t(v)) + u16(uint16_t(v >> 16)); }
std::string f64(double v)
{
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &v, 8);
    return bytes;
}
std::string record(uint16_t id, const std::string& body) { return u16(id) + u16(uint16_t(body.size())) + body; }
std::string place(uint16_t row, uint16_t col, uint16_t xf) { return u16(row) + u16(col) + u16(xf); }
std::string biff8Text(const std::string& latin1) { return u16(uint16_t(latin1.size())) + u8(0) + latin1; }
std::string biff8Wide(const std::u16string& text)
{
    std::string out = u16(uint16_t(text.size())) + u8(1);
    for (char16_t c : text)
        out += u16(c);
    return out;
}

std::string workbookStream(int biff, const std::string& globals, const std::vector<SheetContent>& sheets)
{
    uint16_t version = biff == 8 ? 0x0600 : 0x0500;
    std::string bof = biff == 8 ? u32(0) + u32(0) : u32(0);
    std::string out = record(0x0809, u16(version) + u16(0x0005) + bof) + globals;
    std::vector<size_t> offsetFields;
    for (const SheetContent& sheet : sheets) {
        std::string name = biff == 8 ? u8(uint8_t(sheet.name.size())) + u8(0) + sheet.name
                                     : u8(uint8_t(sheet.name.size())) + sheet.name;
        offsetFields.push_back(out.size() + 4);
        out += record(0x0085, u32(0) + u8(0) + u8(sheet.type) + name);
    }
    out += record(0x000A, "");
    for (size_t i = 0; i < sheets.size(); ++i) {
        std::string at = u32(uint32_t(out.size()));
        out.replace(offsetFields[i], 4, at);
        out += record(0x0809, u16(version) + u16(0x0010) + bof) + sheets[i].records;
        if (sheets[i].withEof)
            out += record(0x000A, "");
    }
    return out;
}

std::string oneSheet(const std::string& cells, int biff)
{
    return workbookStream(biff, "", {{"Sheet1", 0, cells}});
}

std::vector<std::string> cellsOf(const ll::xl::Book& book, size_t sheet)
{
    using ll::xl::CellType;
    std::vector<std::string> out;
    book.sheets.at(sheet)->forEachCell([&](uint32_t row, const ll::xl::Cell& cell) {
        std::string text = std::to_string(row) + "," + std::to_string(cell.col) + " ";
        char number[32];
        switch (cell.type()) {
        case CellType::Number:
            std::snprintf(number, sizeof number, "%.15g", cell.value.number);
            text += std::string("n:") + number;
            break;
        case CellType::String: text += "s:" + std::string(book.strings.view(cell.value.index)); break;
        case CellType::Boolean: text += "b:" + std::to_string(cell.value.index); break;
        case CellType::Error: text += "e:" + std::to_string(cell.value.index); break;
        case CellType::Blank: text += "blank"; break;
        default: text += "?"; break;
        }
        if (cell.xf())
            text += " xf" + std::to_string(cell.xf());
        out.push_back(text);
    });
    return out;
}

void CfbImage::setU32(size_t at, uint32_t value)
{
    bytes.replace(at, 4, u32(value));
}

void CfbImage::setFatEntry(uint32_t sector, uint32_t next)
{
    uint32_t perSector = sectorSize / 4;
    setU32(offsetOf(fatSectors[sector / perSector]) + 4 * (sector % perSector), next);
}

void CfbImage::setEntryU32(uint32_t index, size_t field, uint32_t value)
{
    setU32(offsetOf(directorySector) + 128 * index + field, value);
}

CfbImage compoundFile(const std::vector<Stream>& streams, const CfbOptions& options)
{
    CfbImage image;
    const uint32_t size = 1u << options.sectorShift;
    const uint32_t perSector = size / 4;
    image.sectorSize = size;

    std::vector<std::string> sectors;
    std::vector<uint32_t> fat;
    auto chain = [&](const std::string& data, bool reversed) {
        size_t count = (data.size() + size - 1) / size;
        std::vector<uint32_t> order;
        for (size_t i = 0; i < count; ++i)
            order.push_back(uint32_t(sectors.size() + i));
        if (reversed)
            std::reverse(order.begin(), order.end());
        sectors.resize(sectors.size() + count, std::string(size, '\0'));
        fat.resize(sectors.size(), kFree);
        for (size_t i = 0; i < count; ++i) {
            std::string piece = data.substr(i * size, size);
            sectors[order[i]].replace(0, piece.size(), piece);
            fat[order[i]] = i + 1 < count ? order[i + 1] : kEnd;
        }
        return order;
    };

    // Small streams go to the mini stream in 64-byte pieces.
    std::string mini, miniFat;
    std::vector<uint32_t> starts;
    for (const Stream& stream : streams) {
        if (stream.data.size() >= 4096) {
            starts.push_back(0);
            continue;
        }
        uint32_t first = uint32_t(mini.size() / 64);
        uint32_t count = uint32_t((stream.data.size() + 63) / 64);
        for (uint32_t i = 0; i < count; ++i)
            miniFat += u32(i + 1 < count ? first + i + 1 : kEnd);
        starts.push_back(count ? first : kEnd);
        mini += stream.data;
        mini.resize(size_t(first + count) * 64, '\0');
    }

    std::vector<uint32_t> directory = chain(std::string(128 * (streams.size() + 1), '\0'), false);
    image.directorySector = directory[0];
    std::vector<uint32_t> miniFatChain = chain(miniFat, false);
    image.miniFatSector = miniFatChain.empty() ? kEnd : miniFatChain[0];
    std::vector<uint32_t> miniChain = chain(mini, false);
    for (size_t i = 0; i < streams.size(); ++i) {
        if (streams[i].data.size() < 4096)
            continue;
        std::vector<uint32_t> order = chain(streams[i].data, options.reversed);
        starts[i] = order[0];
        if (image.streamSectors.empty())
            image.streamSectors = order;
    }

    // Directory: the root, then the streams as a right-leaning row of siblings.
    auto entry = [&](uint32_t index, const std::u16string& name, uint8_t type, uint32_t right, uint32_t child,
                     uint32_t start, uint32_t bytes) {
        std::string raw(128, '\0');
        for (size_t i = 0; i < name.size() && i < 31; ++i)
            raw.replace(2 * i, 2, u16(name[i]));
        raw.replace(0x40, 2, u16(uint16_t(2 * (name.size() + 1))));
        raw[0x42] = char(type);
        raw[0x43] = 1;
        raw.replace(0x44, 4, u32(0xFFFFFFFF));
        raw.replace(0x48, 4, u32(right));
        raw.replace(0x4C, 4, u32(child));
        raw.replace(0x74, 4, u32(start));
        raw.replace(0x78, 4, u32(bytes));
        size_t at = 128 * size_t(index);
        sectors[directory[at / size]].replace(at % size, 128, raw);
    };
    entry(0, u"Root Entry", 5, 0xFFFFFFFF, streams.empty() ? 0xFFFFFFFF : 1,
          miniChain.empty() ? kEnd : miniChain[0], uint32_t(mini.size()));
    for (size_t i = 0; i < streams.size(); ++i)
        entry(uint32_t(i + 1), streams[i].name, 2, i + 1 < streams.size() ? uint32_t(i + 2) : 0xFFFFFFFF,
              0xFFFFFFFF, starts[i], uint32_t(streams[i].data.size()));

    // FAT and DIFAT sectors go last; their count depends on itself.
    uint32_t fatCount = options.minFatSectors, difatCount = 0;
    for (;;) {
        uint32_t total = uint32_t(sectors.size()) + fatCount + difatCount;
        uint32_t needFat = std::max(options.minFatSectors, (total + perSector - 1) / perSector);
        uint32_t needDifat = needFat > 109 ? (needFat - 109 + perSector - 2) / (perSector - 1) : 0;
        if (needFat == fatCount && needDifat == difatCount)
            break;
        fatCount = needFat;
        difatCount = needDifat;
    }
    uint32_t base = uint32_t(sectors.size());
    for (uint32_t i = 0; i < fatCount; ++i)
        image.fatSectors.push_back(base + i);
    for (uint32_t i = 0; i < difatCount; ++i)
        image.difatSectors.push_back(base + fatCount + i);
    sectors.resize(base + fatCount + difatCount, std::string(size, '\0'));
    fat.resize(size_t(fatCount) * perSector, kFree);
    for (uint32_t s : image.fatSectors)
        fat[s] = kFatMark;
    for (uint32_t s : image.difatSectors)
        fat[s] = kDifatMark;
    for (uint32_t i = 0; i < fatCount; ++i)
        for (uint32_t j = 0; j < perSector; ++j)
            sectors[image.fatSectors[i]].replace(4 * j, 4, u32(fat[i * perSector + j]));
    for (uint32_t d = 0; d < difatCount; ++d) {
        std::string& raw = sectors[image.difatSectors[d]];
        for (uint32_t j = 0; j + 1 < perSector; ++j) {
            size_t k = 109 + size_t(d) * (perSector - 1) + j;
            raw.replace(4 * j, 4, u32(k < fatCount ? image.fatSectors[k] : kFree));
        }
        raw.replace(4 * (perSector - 1), 4, u32(d + 1 < difatCount ? image.difatSectors[d + 1] : kEnd));
    }

    std::string header(size, '\0');
    const uint8_t signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    header.replace(0, 8, reinterpret_cast<const char*>(signature), 8);
    header.replace(0x18, 2, u16(0x3E));
    header.replace(0x1A, 2, u16(options.sectorShift == 9 ? 3 : 4));
    header.replace(0x1C, 2, u16(0xFFFE));
    header.replace(0x1E, 2, u16(uint16_t(options.sectorShift)));
    header.replace(0x20, 2, u16(6));
    header.replace(0x28, 4, u32(options.sectorShift == 9 ? 0 : uint32_t(directory.size())));
    header.replace(0x2C, 4, u32(fatCount));
    header.replace(0x30, 4, u32(directory[0]));
    header.replace(0x38, 4, u32(4096));
    header.replace(0x3C, 4, u32(miniFatChain.empty() ? kEnd : miniFatChain[0]));
    header.replace(0x40, 4, u32(uint32_t(miniFatChain.size())));
    header.replace(0x44, 4, u32(difatCount ? image.difatSectors[0] : kEnd));
    header.replace(0x48, 4, u32(difatCount));
    for (uint32_t i = 0; i < 109; ++i)
        header.replace(0x4C + 4 * i, 4, u32(i < fatCount ? image.fatSectors[i] : kFree));

    image.bytes = header;
    for (const std::string& s : sectors)
        image.bytes += s;
    return image;
}

} // namespace xlsbuild
