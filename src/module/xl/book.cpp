#include "book.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace ll::xl {

// ---- StringPool -----------------------------------------------------------

namespace {
constexpr size_t kChunkBytes = 1 << 20;
}

uint32_t StringPool::add(std::string_view utf8)
{
    size_t need = utf8.size() + 1;
    if (need > chunkFree_) {
        size_t size = std::max(need, kChunkBytes);
        chunks_.push_back(std::unique_ptr<char[]>(new char[size])); // not zeroed: every byte is written before use
        chunkNext_ = chunks_.back().get();
        chunkFree_ = size;
    }
    char* start = chunkNext_;
    if (!utf8.empty())
        std::memcpy(start, utf8.data(), utf8.size());
    start[utf8.size()] = '\0';
    chunkNext_ += need;
    chunkFree_ -= need;
    used_ += need;
    starts_.push_back(start);
    lengths_.push_back(uint32_t(utf8.size()));
    return uint32_t(starts_.size() - 1);
}

void StringPool::append(StringPool&& other)
{
    // Whatever room is left in this pool's last chunk stays unused: new
    // texts go after other's, in its last chunk.
    for (auto& chunk : other.chunks_)
        chunks_.push_back(std::move(chunk));
    starts_.insert(starts_.end(), other.starts_.begin(), other.starts_.end());
    lengths_.insert(lengths_.end(), other.lengths_.begin(), other.lengths_.end());
    used_ += other.used_;
    chunkNext_ = other.chunkNext_;
    chunkFree_ = other.chunkFree_;
    other = StringPool();
}

// ---- Sheet ----------------------------------------------------------------

bool Sheet::add(uint32_t row, uint32_t col, uint32_t typeAndXf, double number, uint32_t index)
{
    if (row >= kMaxRows || col >= kMaxCols)
        return false;
    Cell cell;
    if ((typeAndXf >> 28) == uint32_t(CellType::Number))
        cell.value.number = number;
    else
        cell.value.index = index;
    cell.col = col;
    cell.typeAndXf = typeAndXf;

    if (!anyCell_ || row > buildRow_) {
        while (rowStart_.size() <= row)
            rowStart_.push_back(uint32_t(cells_.size()));
        cells_.push_back(cell);
        buildRow_ = row;
        anyCell_ = true;
    } else if (row == buildRow_ && cells_.size() > rowStart_[row] && col > cells_.back().col) {
        cells_.push_back(cell);
    } else if (row == buildRow_ && cells_.size() > rowStart_[row] && col == cells_.back().col) {
        cells_.back() = cell;
    } else {
        strays_.push_back({row, cell});
    }
    return true;
}

namespace {
uint32_t pack(CellType type, uint32_t xf)
{
    return (uint32_t(type) << 28) | std::min<uint32_t>(xf, 0x0FFFFFFF);
}
} // namespace

bool Sheet::setNumber(uint32_t row, uint32_t col, uint32_t xf, double value)
{
    return add(row, col, pack(CellType::Number, xf), value, 0);
}
bool Sheet::setString(uint32_t row, uint32_t col, uint32_t xf, uint32_t stringIndex)
{
    return add(row, col, pack(CellType::String, xf), 0, stringIndex);
}
bool Sheet::setBoolean(uint32_t row, uint32_t col, uint32_t xf, bool value)
{
    return add(row, col, pack(CellType::Boolean, xf), 0, value ? 1 : 0);
}
bool Sheet::setError(uint32_t row, uint32_t col, uint32_t xf, uint8_t code)
{
    return add(row, col, pack(CellType::Error, xf), 0, code);
}
bool Sheet::setBlank(uint32_t row, uint32_t col, uint32_t xf)
{
    return add(row, col, pack(CellType::Blank, xf), 0, 0);
}

void Sheet::finish()
{
    if (!strays_.empty()) {
        // Rare path: merge the out-of-order cells, later writes winning.
        std::vector<Stray> all;
        all.reserve(cells_.size() + strays_.size());
        for (uint32_t r = 0; r < rowStart_.size(); ++r) {
            uint32_t end = r + 1 < rowStart_.size() ? rowStart_[r + 1] : uint32_t(cells_.size());
            for (uint32_t i = rowStart_[r]; i < end; ++i)
                all.push_back({r, cells_[i]});
        }
        all.insert(all.end(), strays_.begin(), strays_.end());
        std::stable_sort(all.begin(), all.end(), [](const Stray& a, const Stray& b) {
            return a.row != b.row ? a.row < b.row : a.cell.col < b.cell.col;
        });
        cells_.clear();
        rowStart_.clear();
        for (size_t i = 0; i < all.size(); ++i) {
            if (i + 1 < all.size() && all[i + 1].row == all[i].row && all[i + 1].cell.col == all[i].cell.col)
                continue; // replaced by a later write
            while (rowStart_.size() <= all[i].row)
                rowStart_.push_back(uint32_t(cells_.size()));
            cells_.push_back(all[i].cell);
        }
        strays_.clear();
        strays_.shrink_to_fit();
    }
    rowStart_.push_back(uint32_t(cells_.size()));
    // A reservation that came close is kept: copying the cells to save the
    // last few percent would briefly need room for both copies.
    if (cells_.capacity() - cells_.size() > cells_.capacity() / 8)
        cells_.shrink_to_fit();
    rowStart_.shrink_to_fit();

    computeExtents();
}

void Sheet::computeExtents()
{
    lastRow_ = lastCol_ = 0;
    for (uint32_t r = 0; r + 1 < rowStart_.size(); ++r) {
        for (uint32_t i = rowStart_[r]; i < rowStart_[r + 1]; ++i) {
            if (cells_[i].type() == CellType::Blank)
                continue;
            lastRow_ = r + 1;
            lastCol_ = std::max(lastCol_, cells_[i].col + 1);
        }
    }
}

const Cell* Sheet::cellAt(uint32_t row, uint32_t col) const
{
    if (size_t(row) + 1 >= rowStart_.size())
        return nullptr;
    uint32_t begin = rowStart_[row];
    uint32_t end = rowStart_[row + 1];
    // Dense rows: the cell of column c sits at offset c.
    if (begin + uint64_t(col) < end && cells_[begin + col].col == col)
        return &cells_[begin + col];
    auto first = cells_.begin() + begin;
    auto last = cells_.begin() + end;
    auto it = std::lower_bound(first, last, col, [](const Cell& c, uint32_t value) { return c.col < value; });
    return (it != last && it->col == col) ? &*it : nullptr;
}

// ---- Number formats -------------------------------------------------------

void NumberFormats::setXfFormat(uint32_t xf, int numFormatId)
{
    if (xf >= 0x0FFFFFFF)
        return;
    if (formats_.size() <= xf)
        formats_.resize(xf + 1);
    formats_[xf].numFormat = numFormatId;
}

void NumberFormats::setCustomText(int numFormatId, std::string text)
{
    custom_[numFormatId] = std::move(text);
}

namespace {
bool isGeneral(std::string_view text)
{
    static constexpr std::string_view kGeneral = "general";
    return text.size() == kGeneral.size() &&
           std::equal(text.begin(), text.end(), kGeneral.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}
} // namespace

uint32_t NumberFormats::addDateVariant(uint32_t xf)
{
    Format variant = formatOfXf(xf);
    variant.isDate = variant.alwaysDate = true;
    formats_.push_back(variant);
    return uint32_t(formats_.size() - 1);
}

void NumberFormats::finish()
{
    for (Format& format : formats_) {
        if (format.alwaysDate)
            continue;
        auto it = custom_.find(format.numFormat);
        if (it != custom_.end() && (format.numFormat >= 164 || definedTextsDecide_))
            format.isDate = !isGeneral(it->second) && isDateFormatText(it->second);
        else
            format.isDate = isBuiltinDateFormat(format.numFormat, cjkDates_);
    }
}

const Format& NumberFormats::formatOfXf(uint32_t xf) const
{
    return xf < formats_.size() ? formats_[xf] : general_;
}

const char* NumberFormats::customText(int numFormatId) const
{
    if (numFormatId < 164)
        return nullptr;
    auto it = custom_.find(numFormatId);
    if (it == custom_.end() || isGeneral(it->second))
        return nullptr;
    return it->second.c_str();
}

bool isBuiltinDateFormat(int id, bool cjkDates)
{
    if ((id >= 14 && id <= 22) || (id >= 45 && id <= 47))
        return true;
    return cjkDates && ((id >= 27 && id <= 36) || (id >= 50 && id <= 58));
}

bool isDateFormatText(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        switch (c) {
        case ';':
            return false; // only the first section decides
        case '"': {
            size_t close = text.find('"', i + 1);
            i = close == std::string_view::npos ? text.size() : close + 1;
            continue;
        }
        case '\\':
        case '_':
        case '*':
            i += 2;
            continue;
        case '[': {
            size_t close = text.find(']', i + 1);
            if (close == std::string_view::npos)
                return false;
            std::string_view inner = text.substr(i + 1, close - i - 1);
            // Elapsed time ([h], [mm], [ss]) is a time; colours, conditions
            // and locales are not.
            bool elapsed = !inner.empty() && std::all_of(inner.begin(), inner.end(), [&](char x) {
                char l = char(std::tolower(static_cast<unsigned char>(x)));
                return l == std::tolower(static_cast<unsigned char>(inner[0])) && (l == 'h' || l == 'm' || l == 's');
            });
            if (elapsed)
                return true;
            i = close + 1;
            continue;
        }
        default:
            break;
        }
        char l = char(std::tolower(static_cast<unsigned char>(c)));
        if (l == 'd' || l == 'm' || l == 'y' || l == 'h' || l == 's')
            return true;
        ++i;
    }
    return false;
}

// ---- Dates ----------------------------------------------------------------

namespace {
// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void civilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t y = yoe + era * 400;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(y + (month <= 2 ? 1 : 0));
}
constexpr int64_t kDays1899_12_30 = -25569; // days from 1970-01-01
constexpr int64_t kDays1899_12_31 = -25568;
constexpr int64_t kDays1904_01_01 = -24107;
constexpr double kLargestSerial = 2958466.0; // 10000-01-01 in the 1900 system
} // namespace

bool unpackDate(double serial, bool date1904, DateParts& parts)
{
    parts = {};
    if (!(serial >= 0.0) || serial >= kLargestSerial)
        return false;
    int64_t days = int64_t(serial);
    int64_t ms = std::llround((serial - double(days)) * 86400000.0);
    if (ms >= 86400000) {
        ++days;
        ms -= 86400000;
    }
    if (date1904) {
        civilFromDays(kDays1904_01_01 + days, parts.year, parts.month, parts.day);
    } else if (days == 60) {
        parts.year = 1900; // the day that the 1900 system counts but never was
        parts.month = 2;
        parts.day = 29;
    } else {
        civilFromDays((days < 60 ? kDays1899_12_31 : kDays1899_12_30) + days, parts.year, parts.month, parts.day);
    }
    parts.hour = int(ms / 3600000);
    parts.minute = int(ms / 60000 % 60);
    parts.second = int(ms / 1000 % 60);
    parts.millisecond = int(ms % 1000);
    return true;
}

} // namespace ll::xl
