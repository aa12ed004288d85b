#include "cell_values.h"

#include <array>
#include <charconv>
#include <cmath>

#include "module/xl/book.h"

namespace ll::xl::xlsx {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The code unit of an escape "_xHHHH_" at text[at], or -1.
int escapeAt(std::string_view text, size_t at)
{
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return -1;
    int value = 0;
    for (size_t i = at + 2; i < at + 6; ++i) {
        int digit = hexValue(text[i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

void appendUtf8(uint32_t cp, std::string& out)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Days from 1970-01-01 to a proleptic Gregorian date.
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool isLeap(int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int64_t y, int64_t m)
{
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[size_t(m - 1)];
}

// Reads exactly count digits at text[at].
bool digitsAt(std::string_view text, size_t at, size_t count, int& value)
{
    if (at + count > text.size())
        return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (!isDigit(text[i]))
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

bool parseCellReference(std::string_view text, uint32_t& row, uint32_t& col)
{
    size_t i = 0;
    if (i < text.size() && text[i] == '$')
        ++i;
    uint64_t column = 0;
    size_t letters = 0;
    for (; i < text.size(); ++i, ++letters) {
        char c = text[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            break;
        if (column <= UINT32_MAX)
            column = column * 26 + uint64_t(c - 'A' + 1);
    }
    if (i < text.size() && text[i] == '$')
        ++i;
    uint64_t number = 0;
    size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits)
        if (number <= UINT32_MAX)
            number = number * 10 + uint64_t(text[i] - '0');
    if (letters == 0 || digits == 0 || i != text.size() || number == 0)
        return false;
    col = uint32_t(std::min<uint64_t>(column - 1, UINT32_MAX));
    row = uint32_t(std::min<uint64_t>(number - 1, UINT32_MAX));
    return true;
}

bool parseRowNumber(std::string_view text, uint32_t& row)
{
    double value = 0;
    if (!parseNumber(text, value) || !(value >= 1) || value != std::floor(value))
        return false;
    row = value - 1 >= double(UINT32_MAX) ? UINT32_MAX : uint32_t(value - 1);
    return true;
}

bool parseNumber(std::string_view text, double& value)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool parseIndex(std::string_view text, uint64_t& value)
{
    text = trimmed(text);
    if (text.empty())
        return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

uint8_t errorCode(std::string_view text)
{
    struct Known {
        std::string_view text;
        uint8_t code;
    };
    static constexpr std::array<Known, 8> kKnown = {{{"#NULL!", 0x00}, {"#DIV/0!", 0x07}, {"#VALUE!", 0x0F},
                                                      {"#REF!", 0x17}, {"#NAME?", 0x1D}, {"#NUM!", 0x24},
                                                      {"#N/A", 0x2A}, {"#GETTING_DATA", 0x2B}}};
    text = trimmed(text);
    for (const Known& known : kKnown)
        if (known.text == text)
            return known.code;
    return kOtherErrorCode;
}

bool isoDateToSerial(std::string_view text, bool date1904, double& serial)
{
    text = trimmed(text);
    size_t at = 0;
    bool hasDate = false, hasTime = false;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    double fraction = 0;
    if (digitsAt(text, 0, 4, year) && at + 4 < text.size() && text[4] == '-') {
        if (!digitsAt(text, 5, 2, month) || text.size() < 8 || text[7] != '-' || !digitsAt(text, 8, 2, day))
            return false;
        if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || year < 1)
            return false;
        hasDate = true;
        at = 10;
    }
    if (at < text.size() && text[at] == 'T')
        ++at;
    if (digitsAt(text, at, 2, hour) && at + 2 < text.size() && text[at + 2] == ':') {
        if (!digitsAt(text, at + 3, 2, minute))
            return false;
        at += 5;
        if (at < text.size() && text[at] == ':') {
            if (!digitsAt(text, at + 1, 2, second))
                return false;
            at += 3;
            if (at < text.size() && text[at] == '.') {
                // Milliseconds: up to three digits count, as the ISO readers
                // of this format keep them; further digits are ignored.
                int micro = 0, scale = 100000;
                size_t i = at + 1;
                for (; i < text.size() && isDigit(text[i]) && i < at + 4; ++i, scale /= 10)
                    micro += (text[i] - '0') * scale;
                if (i == at + 1)
                    return false;
                fraction = micro / 1e6;
            }
        }
        if (hour > 23 || minute > 59 || second > 59)
            return false;
        hasTime = true;
    }
    if (!hasDate && !hasTime)
        return false;

    double timeOfDay = hasTime ? (double(hour * 3600 + minute * 60 + second) + fraction) / 86400.0 : 0.0;
    if (!hasDate) {
        serial = timeOfDay;
        return true;
    }
    int64_t days = daysFromCivil(year, month, day) - (date1904 ? daysFromCivil(1904, 1, 1) : daysFromCivil(1899, 12, 30));
    // The 1900 system counts a 29 February 1900 that never was: dates
    // before 1 March 1900 are one less.
    if (!date1904 && days > 0 && days <= 60)
        days -= 1;
    serial = double(days) + timeOfDay;
    return true;
}

bool hasEscapes(std::string_view text)
{
    for (size_t at = text.find("_x"); at != std::string_view::npos; at = text.find("_x", at + 1))
        if (escapeAt(text, at) >= 0)
            return true;
    return false;
}

void decodeEscapes(std::string_view text, std::string& out)
{
    size_t i = 0;
    while (i < text.size()) {
        int unit = text[i] == '_' ? escapeAt(text, i) : -1;
        if (unit < 0) {
            out += text[i++];
            continue;
        }
        i += 7;
        uint32_t cp = uint32_t(unit);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            int low = escapeAt(text, i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (uint32_t(low) - 0xDC00);
                i += 7;
            } else {
                cp = 0xFFFD;
            }
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        appendUtf8(cp, out);
    }
}

} // namespace ll::xl::xlsx
