#include "cell_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "c_locale.h"
#include "module/text/text_ops.h"
#include "module/text/utf8.h"

namespace {

// printf into a reused string, growing it only when a text is longer than
// any before.
template <class... Args>
void printInto(std::string& out, const char* format, Args... args)
{
    if (out.capacity() < 64)
        out.reserve(64);
    out.resize(out.capacity());
    int n = std::snprintf(out.data(), out.size() + 1, format, args...);
    if (n < 0) {
        out.clear();
        return;
    }
    if (size_t(n) > out.size()) {
        out.resize(size_t(n));
        std::snprintf(out.data(), out.size() + 1, format, args...);
    } else {
        out.resize(size_t(n));
    }
}

// Widths and decimals beyond this print nothing a double can hold more
// precisely; the bound keeps a hostile format text from asking for a
// gigabyte of digits.
constexpr size_t kMaxFormatWidth = 1100;

int clampWidth(size_t value)
{
    return int(std::min(value, kMaxFormatWidth));
}

} // namespace

void CellText::formatNumber(double value, const char* customFormat, std::string& out)
{
    if (!customFormat) {
        printInto(out, "%f", value);
        ll::text::removeTrailingZeros(out);
        return;
    }
    size_t length = std::strlen(customFormat);
    if (const char* point = std::strchr(customFormat, '.')) {
        size_t decimals = length - size_t(point - customFormat) - 1;
        printInto(out, "%*.*f", clampWidth(length), clampWidth(decimals), value);
        return;
    }
    double whole = std::trunc(value);
    if (whole >= double(std::numeric_limits<int32_t>::min()) && whole <= double(std::numeric_limits<int32_t>::max()))
        printInto(out, "%*d", clampWidth(length), int32_t(whole));
    else // beyond 32 bits: the whole number, rather than a wrapped one
        printInto(out, "%*.0f", clampWidth(length), std::isfinite(whole) ? whole : 0.0);
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
            printInto(number_, "%04d%02d%02d%02d%02d%02d", year, month, day, hour, minute, second);
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
    // Every text handed out lies in a NUL-terminated buffer (the book's
    // strings, our own strings, literals), and whatever follows the view
    // up to that NUL is trimmed blanks, where strtod stops anyway.
    if (text_.empty())
        return 0.0;
    return strtod_l(text_.data(), nullptr, cLocale());
}
