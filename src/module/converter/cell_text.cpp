#include "cell_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "c_locale.h"
#include "module/text/text_ops.h"
#include "module/text/utf8.h"

namespace {

// Widths and decimals beyond this print nothing a double can hold more
// precisely; the bound keeps a hostile format text from asking for a
// gigabyte of digits.
constexpr size_t kMaxFormatWidth = 1100;

// Room for any double printed in fixed notation with kMaxFormatWidth
// decimals (309 integer digits, sign and point).
constexpr size_t kFixedRoom = 320 + kMaxFormatWidth;

// Prints a double in fixed notation with the given decimals, as "%.*f"
// does (to_chars is exact too, and much faster), after `width - length`
// blanks, as "%*.*f" pads.
void printFixed(std::string& out, double value, int decimals, size_t width = 0)
{
    if (out.size() < kFixedRoom)
        out.resize(kFixedRoom);
    char* begin = out.data();
    auto [end, error] = std::to_chars(begin, begin + kFixedRoom, value, std::chars_format::fixed, decimals);
    size_t length = error == std::errc() ? size_t(end - begin) : 0;
    out.resize(length);
    if (length < width)
        out.insert(0, width - length, ' ');
}

void printInteger(std::string& out, long long value, size_t width)
{
    char digits[24];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    size_t length = size_t(end - digits);
    out.assign(length < width ? width - length : 0, ' ');
    out.append(digits, length);
}

// Two digits of a date part into p.
char* twoDigits(char* p, int value)
{
    value = std::clamp(value, 0, 99);
    *p++ = char('0' + value / 10);
    *p++ = char('0' + value % 10);
    return p;
}

} // namespace

void CellText::formatNumber(double value, const char* customFormat, std::string& out)
{
    if (!customFormat) {
        printFixed(out, value, 6);
        ll::text::removeTrailingZeros(out);
        return;
    }
    size_t length = std::min(std::strlen(customFormat), kMaxFormatWidth);
    if (const char* point = std::strchr(customFormat, '.')) {
        size_t decimals = std::strlen(point + 1);
        printFixed(out, value, int(std::min(decimals, kMaxFormatWidth)), length);
        return;
    }
    double whole = std::trunc(value);
    if (whole >= double(std::numeric_limits<int32_t>::min()) && whole <= double(std::numeric_limits<int32_t>::max()))
        printInteger(out, int32_t(whole), length);
    else // beyond 32 bits: the whole number, rather than a wrapped one
        printFixed(out, std::isfinite(whole) ? whole : 0.0, 0, length);
}

bool CellText::read(SheetHandle sheet, int row, int col)
{
    switch (xlSheetCellTypeA(sheet, row, col)) {
    case CELLTYPE_NUMBER: {
        FormatHandle format = nullptr;
        double value = xlSheetReadNumA(sheet, row, col, &format);
        if (xlSheetIsDateA(sheet, row, col)) {
            int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
            xlBookDateUnpackA(book_, value, &year, &month, &day, &hour, &minute, &second, &millisecond);
            number_.resize(14);
            char* p = number_.data();
            p = twoDigits(p, std::clamp(year, 0, 9999) / 100);
            p = twoDigits(p, std::clamp(year, 0, 9999) % 100);
            for (int part : {month, day, hour, minute, second})
                p = twoDigits(p, part);
            text_ = number_;
            return true;
        }
        formatNumber(value, xlBookCustomNumFormatA(book_, xlFormatNumFormatA(format)), number_);
        text_ = ll::text::trimAll(number_);
        return true;
    }
    case CELLTYPE_STRING: {
        const char* text = xlSheetReadStrA(sheet, row, col, nullptr);
        std::string_view view = text ? std::string_view(text) : std::string_view("");
        if (!ll::text::isValidUtf8(view))
            view = "";
        setText(view);
        return true;
    }
    case CELLTYPE_BOOLEAN:
        setText(settings_.logical.apply(xlSheetReadBoolA(sheet, row, col, nullptr) ? "1" : "0"));
        return true;
    default:
        return false;
    }
}

void CellText::setText(std::string_view text)
{
    text_ = ll::text::applyTextOptions(text, settings_.removeSpaces, settings_.removeCRLF, scratch_);
}

double CellText::leadingNumber() const
{
    if (text_.empty())
        return 0.0;
    // The common case, a plain decimal number, without strtod's locale
    // machinery; from_chars reads exactly what strtod would there.
    char first = text_.front();
    if ((first >= '0' && first <= '9') || first == '-' || first == '.') {
        double value = 0.0;
        auto [end, error] = std::from_chars(text_.data(), text_.data() + text_.size(), value);
        bool hexadecimal = end < text_.data() + text_.size() && (*end == 'x' || *end == 'X');
        if (error == std::errc() && !hexadecimal)
            return value;
    }
    // Every text handed out lies in a NUL-terminated buffer (the book's
    // strings, our own strings, literals), and whatever follows the view
    // up to that NUL is trimmed blanks, where strtod stops anyway.
    return strtod_l(text_.data(), nullptr, cLocale());
}
