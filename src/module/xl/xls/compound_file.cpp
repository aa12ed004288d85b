#include "compound_file.h"

#include <algorithm>
#include <cstring>

namespace ll::xl::xls {

namespace {

constexpr uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr size_t kHeaderFatEntries = 109;
constexpr uint64_t kMiniStreamCutoff = 4096;
constexpr uint32_t kMiniSectorSize = 64;
constexpr size_t kEntrySize = 128;

bool sameNameIgnoringCase(const std::u16string& name, std::string_view wanted)
{
    if (name.size() != wanted.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t a = name[i];
        char16_t b = static_cast<unsigned char>(wanted[i]);
        if (a >= u'A' && a <= u'Z')
            a = char16_t(a + 32);
        if (b >= u'A' && b <= u'Z')
            b = char16_t(b + 32);
        if (a != b)
            return false;
    }
    return true;
}

CompoundFile::Entry parseEntry(ByteView raw, bool wideSizes)
{
    CompoundFile::Entry entry;
    size_t chars = std::min<size_t>(raw.u16(0x40) / 2, 32);
    for (size_t i = 0; i < chars; ++i) {
        char16_t c = raw.u16(2 * i);
        if (c == 0)
            break;
        entry.name.push_back(c);
    }
    entry.type = raw.u8(0x42);
    entry.left = raw.u32(0x44);
    entry.right = raw.u32(0x48);
    entry.child = raw.u32(0x4C);
    entry.start = raw.u32(0x74);
    // Version 3 files may leave garbage in the size's upper half.
    entry.size = wideSizes ? raw.u64(0x78) : raw.u32(0x78);
    return entry;
}

} // namespace

std::string describe(const CfbError& error)
{
    auto n = [](uint64_t v) { return std::to_string(v); };
    switch (error.kind) {
    case CfbFailure::None: return "ok";
    case CfbFailure::NotCompoundFile: return "not a compound file";
    case CfbFailure::TruncatedHeader: return "compound-file header cut short (" + n(error.value) + " bytes)";
    case CfbFailure::BadHeader: return "bad compound-file header field " + n(error.value);
    case CfbFailure::SectorOutOfRange:
        return "chain names sector " + n(error.value) + " of " + n(error.limit);
    case CfbFailure::CyclicChain: return "chain loops back to sector " + n(error.value);
    case CfbFailure::ChainTooShort:
        return "stream chain holds " + n(error.value) + " sectors, its size needs " + n(error.limit);
    case CfbFailure::NoSuchStream: return "no workbook stream";
    }
    return "compound-file error";
}

bool CompoundFile::hasSignature(ByteView file)
{
    return file.size >= sizeof kSignature && std::memcmp(file.data, kSignature, sizeof kSignature) == 0;
}

ByteView CompoundFile::sector(uint32_t index) const
{
    return file_.sub((uint64_t(index) + 1) << shift_, sectorSize_);
}

void CompoundFile::loadFat(ByteView header, uint32_t fatSectors, uint32_t difatStart, uint32_t difatSectors)
{
    // The FAT's own sectors: 109 in the header, the rest in the DIFAT chain,
    // whose sectors end with the index of the next one.
    fatSectors = uint32_t(std::min<uint64_t>(fatSectors, sectorCount_));
    std::vector<uint32_t> fatList;
    fatList.reserve(fatSectors);
    for (size_t i = 0; i < kHeaderFatEntries && fatList.size() < fatSectors; ++i)
        fatList.push_back(header.u32(0x4C + 4 * i));
    std::vector<bool> seen(sectorCount_);
    uint32_t perDifat = sectorSize_ / 4 - 1;
    uint32_t next = difatStart;
    for (uint32_t walked = 0; fatList.size() < fatSectors && walked < difatSectors && next < sectorCount_; ++walked) {
        if (seen[next])
            break;
        seen[next] = true;
        ByteView difat = sector(next);
        if (difat.size < sectorSize_)
            break;
        for (uint32_t i = 0; i < perDifat && fatList.size() < fatSectors; ++i)
            fatList.push_back(difat.u32(4 * i));
        next = difat.u32(4 * perDifat);
    }

    uint32_t perSector = sectorSize_ / 4;
    fat_.assign(size_t(fatList.size()) * perSector, kFreeSector);
    for (size_t i = 0; i < fatList.size(); ++i) {
        if (fatList[i] >= sectorCount_)
            continue; // past the end of a truncated file: reads as free
        ByteView part = sector(fatList[i]);
        for (uint32_t j = 0; j < perSector && 4 * size_t(j) + 4 <= part.size; ++j)
            fat_[i * perSector + j] = part.u32(4 * j);
    }
}

std::vector<uint32_t> CompoundFile::wholeChain(uint32_t start) const
{
    std::vector<uint32_t> sectors;
    std::vector<bool> seen(sectorCount_);
    for (uint32_t s = start; s < sectorCount_ && !seen[s];) {
        seen[s] = true;
        sectors.push_back(s);
        s = s < fat_.size() ? fat_[s] : kEndOfChain;
    }
    return sectors;
}

CfbError CompoundFile::open(ByteView file)
{
    if (!hasSignature(file))
        return {CfbFailure::NotCompoundFile};
    if (file.size < 512)
        return {CfbFailure::TruncatedHeader, file.size};
    if (file.u16(0x1C) != 0xFFFE)
        return {CfbFailure::BadHeader, file.u16(0x1C)};
    uint16_t shift = file.u16(0x1E);
    if (shift != 9 && shift != 12)
        return {CfbFailure::BadHeader, shift};
    if (file.u16(0x20) != 6)
        return {CfbFailure::BadHeader, file.u16(0x20)};
    file_ = file;
    shift_ = shift;
    sectorSize_ = 1u << shift;
    sectorCount_ = file.size > sectorSize_ ? (file.size - sectorSize_ + sectorSize_ - 1) / sectorSize_ : 0;

    loadFat(file, file.u32(0x2C), file.u32(0x44), file.u32(0x48));

    entries_.clear();
    for (uint32_t s : wholeChain(file.u32(0x30))) {
        ByteView part = sector(s);
        for (size_t at = 0; at + kEntrySize <= part.size; at += kEntrySize)
            entries_.push_back(parseEntry(part.sub(at, kEntrySize), shift_ != 9));
    }

    miniFat_.clear();
    for (uint32_t s : wholeChain(file.u32(0x3C))) {
        ByteView part = sector(s);
        for (size_t at = 0; at + 4 <= part.size; at += 4)
            miniFat_.push_back(part.u32(at));
    }
    return {};
}

const CompoundFile::Entry* CompoundFile::findStream(std::initializer_list<std::string_view> names) const
{
    // The root's children form a tree of siblings; walk it with a bound on
    // the entries visited, since a damaged tree may loop.
    std::vector<uint32_t> children;
    if (!entries_.empty()) {
        std::vector<bool> seen(entries_.size());
        std::vector<uint32_t> pending{entries_[0].child};
        while (!pending.empty()) {
            uint32_t id = pending.back();
            pending.pop_back();
            if (id == kNoStream || id >= entries_.size() || seen[id])
                continue;
            seen[id] = true;
            children.push_back(id);
            pending.push_back(entries_[id].left);
            pending.push_back(entries_[id].right);
        }
    }
    for (std::string_view name : names)
        for (uint32_t id : children)
            if (entries_[id].type == 2 && sameNameIgnoringCase(entries_[id].name, name))
                return &entries_[id];
    for (std::string_view name : names)
        for (const Entry& entry : entries_)
            if (entry.type == 2 && sameNameIgnoringCase(entry.name, name))
                return &entry;
    return nullptr;
}

CfbError CompoundFile::chain(const std::vector<uint32_t>& table, uint32_t start, uint64_t units, uint64_t limit,
                             std::vector<uint32_t>& out) const
{
    out.clear();
    if (units > limit)
        return {CfbFailure::ChainTooShort, limit, units};
    out.reserve(units);
    std::vector<bool> seen(limit);
    uint32_t s = start;
    for (uint64_t i = 0; i < units; ++i) {
        if (s == kEndOfChain)
            return {CfbFailure::ChainTooShort, i, units};
        if (s >= limit)
            return {CfbFailure::SectorOutOfRange, s, limit};
        if (seen[s])
            return {CfbFailure::CyclicChain, s};
        seen[s] = true;
        out.push_back(s);
        s = s < table.size() ? table[s] : kFreeSector;
    }
    return {};
}

CfbError CompoundFile::readRegular(uint32_t start, uint64_t size, StreamBytes& out) const
{
    out = {};
    std::vector<uint32_t> sectors;
    uint64_t units = (size + sectorSize_ - 1) >> shift_;
    if (CfbError error = chain(fat_, start, units, sectorCount_, sectors))
        return error;
    if (sectors.empty())
        return {};
    bool consecutive = true;
    for (size_t i = 1; i < sectors.size() && consecutive; ++i)
        consecutive = sectors[i] == sectors[i - 1] + 1;
    // Only the file's last sector can be short; a stream that runs into
    // it keeps the bytes that are there, and its reader finds any record
    // cut off.
    uint64_t first = (uint64_t(sectors[0]) + 1) << shift_;
    if (consecutive) {
        out.view = file_.sub(first, size);
        return {};
    }
    out.copy.resize(size);
    uint64_t at = 0;
    for (uint32_t s : sectors) {
        ByteView part = sector(s).sub(0, size_t(std::min<uint64_t>(sectorSize_, size - at)));
        if (part.size)
            std::memcpy(out.copy.data() + at, part.data, part.size);
        at += part.size;
    }
    out.copy.resize(at);
    out.view = {out.copy.data(), out.copy.size()};
    return {};
}

CfbError CompoundFile::readMini(uint32_t start, uint64_t size, StreamBytes& out) const
{
    out = {};
    if (entries_.empty())
        return {CfbFailure::NoSuchStream};
    StreamBytes mini;
    if (CfbError error = readRegular(entries_[0].start, entries_[0].size, mini))
        return error;
    std::vector<uint32_t> sectors;
    uint64_t miniSectors = (mini.view.size + kMiniSectorSize - 1) / kMiniSectorSize;
    uint64_t units = (size + kMiniSectorSize - 1) / kMiniSectorSize;
    if (CfbError error = chain(miniFat_, start, units, miniSectors, sectors))
        return error;
    out.copy.resize(size);
    uint64_t at = 0;
    for (uint32_t s : sectors) {
        size_t want = size_t(std::min<uint64_t>(kMiniSectorSize, size - at));
        ByteView part = mini.view.sub(size_t(s) * kMiniSectorSize, want);
        if (part.size)
            std::memcpy(out.copy.data() + at, part.data, part.size);
        at += part.size;
        if (part.size < want)
            break; // the mini stream itself was cut short
    }
    out.copy.resize(at);
    out.view = {out.copy.data(), out.copy.size()};
    return {};
}

CfbError CompoundFile::read(const Entry& entry, StreamBytes& out) const
{
    // A stream cannot be larger than the file that holds it.
    if (entry.size > file_.size)
        return {CfbFailure::ChainTooShort, sectorCount_, (entry.size + sectorSize_ - 1) >> shift_};
    if (entry.size < kMiniStreamCutoff)
        return readMini(entry.start, entry.size, out);
    return readRegular(entry.start, entry.size, out);
}

} // namespace ll::xl::xls
