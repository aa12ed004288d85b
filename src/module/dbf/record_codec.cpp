#include "record_codec.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "byte_order.h"
#include "module/text/codec.h"
#include "number_text.h"

namespace ll::dbf {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\0';
}

std::string_view trimRight(const char* src, uint32_t width)
{
    while (width > 0 && isBlank(src[width - 1]))
        --width;
    return {src, width};
}

std::string_view trimBoth(const char* src, uint32_t width)
{
    std::string_view text = trimRight(src, width);
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

bool hasDigit(std::string_view text)
{
    for (char c : text)
        if (c >= '0' && c <= '9')
            return true;
    return false;
}

bool oneOf(char c, std::string_view set)
{
    return set.find(c) != std::string_view::npos;
}

bool allDigits(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int64_t clampedRound(double value, double low, double high)
{
    if (!std::isfinite(value))
        return 0;
    return std::llround(std::fmin(std::fmax(value, low), high));
}

void appendNumber(int64_t value, std::string& out)
{
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendTwoDigits(int value, std::string& out)
{
    out += char('0' + value / 10 % 10);
    out += char('0' + value % 10);
}

} // namespace

FieldKind fieldKindOf(const FieldDesc& field, Flavour flavour)
{
    switch (field.type) {
    case 'C':
        return FieldKind::Character;
    case 'N':
    case 'F':
        return FieldKind::Numeric;
    case 'L':
        return field.width >= 1 ? FieldKind::Logical : FieldKind::Unsupported;
    case 'D':
        return field.width == 8 ? FieldKind::Date : FieldKind::Unsupported;
    case 'M':
        if (field.width == 4)
            return FieldKind::MemoBinary;
        if (field.width == 10)
            return flavour == Flavour::Smt ? FieldKind::MemoSmt : FieldKind::MemoDigits;
        return FieldKind::Unsupported;
    default:
        break;
    }
    if (flavour == Flavour::VisualFoxPro) {
        if (field.type == 'I' && field.width == 4)
            return FieldKind::Integer;
        if (field.type == 'B' && field.width == 8)
            return FieldKind::Double;
        if (field.type == 'Y' && field.width == 8)
            return FieldKind::Currency;
        if (field.type == 'T' && field.width == 8)
            return FieldKind::DateTime;
    }
    return FieldKind::Unsupported;
}

bool isMemoKind(FieldKind kind)
{
    return kind == FieldKind::MemoDigits || kind == FieldKind::MemoBinary || kind == FieldKind::MemoSmt;
}

bool isNumericKind(FieldKind kind)
{
    return kind == FieldKind::Numeric || kind == FieldKind::Integer || kind == FieldKind::Double
        || kind == FieldKind::Currency;
}

void writeEmpty(const FieldDesc& field, FieldKind kind, char* dst)
{
    const uint32_t width = field.width;
    if (kind == FieldKind::Unsupported && oneOf(field.type, "GPW0IBO+@YT")) {
        std::memset(dst, 0, width);
        return;
    }
    switch (kind) {
    case FieldKind::MemoBinary:
    case FieldKind::Integer:
    case FieldKind::Double:
    case FieldKind::Currency:
    case FieldKind::DateTime:
        std::memset(dst, 0, width);
        return;
    default:
        std::memset(dst, ' ', width);
        return;
    }
}

void writeCharacter(const text::Codec& codec, std::string_view utf8, char* dst, uint32_t width)
{
    size_t written = codec.encodeInto(utf8, dst, width);
    if (written < width)
        std::memset(dst + written, ' ', width - written);
}

void writeLogical(std::string_view text, char* dst)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (text.empty()) {
        *dst = ' ';
        return;
    }
    char c = text.front();
    if (oneOf(c, "TtYy1"))
        *dst = 'T';
    else if (oneOf(c, "FfNn0"))
        *dst = 'F';
    else
        *dst = '?';
}

bool writeDate(std::string_view text, const DateFormat& format, char* dst)
{
    if (parseDateText(text, format, dst))
        return true;
    std::memset(dst, ' ', 8);
    return false;
}

void writeNumeric(std::string_view text, double number, const FieldDesc& field, char* dst)
{
    if (number == 0 && !hasDigit(text)) {
        std::memset(dst, ' ', field.width);
        return;
    }
    formatNumberField(number, field.width, field.decimals, dst);
}

void writeBinary(FieldKind kind, std::string_view text, double number, const DateFormat& format, char* dst)
{
    switch (kind) {
    case FieldKind::Integer:
        storeLe32(dst, uint32_t(int32_t(clampedRound(number, INT32_MIN, INT32_MAX))));
        return;
    case FieldKind::Double: {
        uint64_t bits;
        std::memcpy(&bits, &number, sizeof bits);
        storeLe64(dst, bits);
        return;
    }
    case FieldKind::Currency:
        storeLe64(dst, uint64_t(clampedRound(number * 10000.0, -9.2e18, 9.2e18)));
        return;
    case FieldKind::DateTime: {
        std::memset(dst, 0, 8);
        char date[8];
        if (!parseDateText(text, format, date))
            return;
        auto digits = [&](int at, int count) {
            int v = 0;
            for (int i = 0; i < count; ++i)
                v = v * 10 + (date[at + i] - '0');
            return v;
        };
        storeLe32(dst, uint32_t(julianDayFromDate(digits(0, 4), digits(4, 2), digits(6, 2))));
        std::string_view t = text;
        while (!t.empty() && t.front() == ' ')
            t.remove_prefix(1);
        if (t.size() >= 14 && allDigits(t.substr(0, 14))) {
            int h = (t[8] - '0') * 10 + (t[9] - '0');
            int m = (t[10] - '0') * 10 + (t[11] - '0');
            int s = (t[12] - '0') * 10 + (t[13] - '0');
            if (h >= 0 && h < 24 && m >= 0 && m < 60 && s >= 0 && s < 60)
                storeLe32(dst + 4, uint32_t(((h * 60 + m) * 60 + s) * 1000));
        }
        return;
    }
    default:
        return;
    }
}

void writeMemoPointer(FieldKind kind, const MemoPointer& pointer, char* dst, uint32_t width)
{
    switch (kind) {
    case FieldKind::MemoBinary:
        storeLe32(dst, pointer.empty ? 0 : pointer.block);
        return;
    case FieldKind::MemoSmt:
        if (pointer.empty) {
            std::memset(dst, ' ', width);
            return;
        }
        storeLe16(dst, 1);
        storeLe32(dst + 2, pointer.length);
        storeLe32(dst + 6, pointer.block);
        return;
    default: {
        std::memset(dst, ' ', width);
        if (pointer.empty)
            return;
        char buffer[16];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, pointer.block);
        auto length = uint32_t(result.ptr - buffer);
        if (length <= width)
            std::memcpy(dst + (width - length), buffer, length);
        return;
    }
    }
}

MemoPointer readMemoPointer(FieldKind kind, const char* src, uint32_t width)
{
    MemoPointer pointer;
    switch (kind) {
    case FieldKind::MemoBinary:
        pointer.block = loadLe32(src);
        pointer.empty = pointer.block == 0;
        return pointer;
    case FieldKind::MemoSmt: {
        if (trimBoth(src, width).empty() || loadLe16(src) == 0x2020)
            return pointer;
        pointer.length = loadLe32(src + 2);
        pointer.block = loadLe32(src + 6);
        pointer.empty = pointer.length == 0;
        return pointer;
    }
    default: {
        std::string_view digits = trimBoth(src, width);
        uint64_t value = 0;
        for (char c : digits) {
            if (c < '0' || c > '9' || value > UINT32_MAX) {
                pointer.valid = false;
                return pointer;
            }
            value = value * 10 + uint64_t(c - '0');
        }
        if (value > UINT32_MAX) {
            pointer.valid = false;
            return pointer;
        }
        pointer.block = uint32_t(value);
        pointer.empty = value == 0;
        return pointer;
    }
    }
}

void decodeLenient(const text::Codec& codec, std::string_view bytes, std::string& out)
{
    size_t start = out.size();
    if (codec.decode(bytes, out))
        return;
    out.resize(start);
    std::string piece;
    size_t i = 0;
    while (i < bytes.size()) {
        bool decoded = false;
        for (size_t k = 1; k <= 4 && i + k <= bytes.size() && !decoded; ++k) {
            piece.clear();
            if (codec.decode(bytes.substr(i, k), piece)) {
                out += piece;
                i += k;
                decoded = true;
            }
        }
        if (!decoded) {
            out += text::Codec::kSubstitute;
            ++i;
        }
    }
}

bool readFieldText(FieldKind kind, const FieldDesc& field, const char* src, const text::Codec& codec,
                   const DateFormat& format, std::string& out)
{
    switch (kind) {
    case FieldKind::Character:
        decodeLenient(codec, trimRight(src, field.width), out);
        return true;
    case FieldKind::Numeric:
        decodeLenient(codec, trimBoth(src, field.width), out);
        return true;
    case FieldKind::Logical:
        if (oneOf(src[0], "TtYy"))
            out += 'T';
        else if (oneOf(src[0], "FfNn"))
            out += 'F';
        return true;
    case FieldKind::Date: {
        std::string_view stored = trimBoth(src, 8);
        char check[8];
        if (stored.size() == 8 && parseDateText(stored, DateFormat {}, check))
            formatStoredDate(stored, format, out);
        else
            decodeLenient(codec, stored, out);
        return true;
    }
    case FieldKind::Integer:
        appendNumber(int32_t(loadLe32(src)), out);
        return true;
    case FieldKind::Double: {
        uint64_t bits = loadLe64(src);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value))
            return false;
        char buffer[400];
        auto result = field.decimals > 0
            ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, int(field.decimals))
            : std::to_chars(buffer, buffer + sizeof buffer, value);
        if (result.ec != std::errc())
            return false;
        out.append(buffer, result.ptr);
        return true;
    }
    case FieldKind::Currency: {
        auto value = int64_t(loadLe64(src));
        uint64_t magnitude = value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value);
        if (value < 0)
            out += '-';
        appendNumber(int64_t(magnitude / 10000), out);
        out += '.';
        char fraction[5];
        uint64_t rest = magnitude % 10000;
        for (int i = 3; i >= 0; --i, rest /= 10)
            fraction[i] = char('0' + rest % 10);
        out.append(fraction, 4);
        return true;
    }
    case FieldKind::DateTime: {
        int64_t day = loadLe32(src);
        uint32_t ms = loadLe32(src + 4);
        if (day == 0)
            return true;
        int y, m, d;
        dateFromJulianDay(day, y, m, d);
        if (!isCalendarDate(y, m, d) || ms >= 86400000u)
            return false;
        char stored[8] = {char('0' + y / 1000), char('0' + y / 100 % 10), char('0' + y / 10 % 10), char('0' + y % 10),
                          char('0' + m / 10),   char('0' + m % 10),       char('0' + d / 10),      char('0' + d % 10)};
        formatStoredDate(std::string_view(stored, 8), format, out);
        uint32_t seconds = ms / 1000;
        out += ' ';
        appendTwoDigits(int(seconds / 3600), out);
        out += ':';
        appendTwoDigits(int(seconds / 60 % 60), out);
        out += ':';
        appendTwoDigits(int(seconds % 60), out);
        return true;
    }
    default:
        return false;
    }
}

} // namespace ll::dbf
