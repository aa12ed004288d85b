#include "date_text.h"

namespace ll::dbf {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text)
{
    for (char c : text)
        if (!isDigit(c))
            return false;
    return true;
}

int digitsValue(std::string_view text)
{
    int value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    return value;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool store(int year, int month, int day, char out[8])
{
    if (!isCalendarDate(year, month, day))
        return false;
    const int parts[] = {year / 100, year % 100, month, day};
    for (int i = 0; i < 4; ++i) {
        out[2 * i] = char('0' + parts[i] / 10);
        out[2 * i + 1] = char('0' + parts[i] % 10);
    }
    return true;
}

// "d.m.yyyy", "m-d-yyyy", "yyyy/m/d": three digit groups, one delimiter.
bool parseOrdered(std::string_view text, DateOrder order, char out[8])
{
    size_t blank = text.find(' ');
    if (blank != std::string_view::npos)
        text = text.substr(0, blank);
    size_t first = text.find_first_of(".-/");
    if (first == std::string_view::npos)
        return false;
    char delimiter = text[first];
    size_t second = text.find(delimiter, first + 1);
    if (second == std::string_view::npos || text.find(delimiter, second + 1) != std::string_view::npos)
        return false;
    std::string_view parts[3] = {text.substr(0, first), text.substr(first + 1, second - first - 1),
                                 text.substr(second + 1)};
    for (std::string_view part : parts)
        if (part.empty() || part.size() > 4 || !allDigits(part))
            return false;
    int yearAt = order == DateOrder::YearMonthDay ? 0 : 2;
    if (parts[yearAt].size() != 4)
        return false;
    for (int i = 0; i < 3; ++i)
        if (i != yearAt && parts[i].size() > 2)
            return false;
    int a = digitsValue(parts[0]);
    int b = digitsValue(parts[1]);
    int c = digitsValue(parts[2]);
    switch (order) {
    case DateOrder::DayMonthYear:
        return store(c, b, a, out);
    case DateOrder::MonthDayYear:
        return store(c, a, b, out);
    case DateOrder::YearMonthDay:
        return store(a, b, c, out);
    case DateOrder::AsIs:
        break;
    }
    return false;
}

} // namespace

std::optional<DateOrder> dateOrderFromText(std::string_view text)
{
    if (text == "dmy")
        return DateOrder::DayMonthYear;
    if (text == "mdy")
        return DateOrder::MonthDayYear;
    if (text == "ymd")
        return DateOrder::YearMonthDay;
    if (text == "asis")
        return DateOrder::AsIs;
    return std::nullopt;
}

std::optional<DateFormat> dateFormatForIndex(int64_t index)
{
    if (index < 0 || index > 9)
        return std::nullopt;
    if (index == 9)
        return DateFormat{DateOrder::AsIs, '.'};
    static constexpr DateOrder kOrders[] = {DateOrder::DayMonthYear, DateOrder::MonthDayYear, DateOrder::YearMonthDay};
    static constexpr char kDelimiters[] = {'.', '-', '/'};
    return DateFormat{kOrders[index % 3], kDelimiters[index / 3]};
}

bool isCalendarDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
}

bool parseDateText(std::string_view text, const DateFormat& format, char out[8])
{
    text = trimmed(text);
    if ((text.size() == 8 || text.size() == 14) && allDigits(text))
        return store(digitsValue(text.substr(0, 4)), digitsValue(text.substr(4, 2)), digitsValue(text.substr(6, 2)),
                     out);
    if (format.order == DateOrder::AsIs || text.size() > 32)
        return false;
    return parseOrdered(text, format.order, out);
}

void formatStoredDate(std::string_view stored, const DateFormat& format, std::string& out)
{
    std::string_view text = trimmed(stored);
    if (format.order == DateOrder::AsIs || text.size() != 8 || !allDigits(text)
        || !isCalendarDate(digitsValue(text.substr(0, 4)), digitsValue(text.substr(4, 2)),
                           digitsValue(text.substr(6, 2)))) {
        out.append(text);
        return;
    }
    std::string_view year = text.substr(0, 4);
    std::string_view month = text.substr(4, 2);
    std::string_view day = text.substr(6, 2);
    std::string_view parts[3];
    switch (format.order) {
    case DateOrder::DayMonthYear:
        parts[0] = day, parts[1] = month, parts[2] = year;
        break;
    case DateOrder::MonthDayYear:
        parts[0] = month, parts[1] = day, parts[2] = year;
        break;
    default:
        parts[0] = year, parts[1] = month, parts[2] = day;
        break;
    }
    out.append(parts[0]).append(1, format.delimiter).append(parts[1]).append(1, format.delimiter).append(parts[2]);
}

int64_t julianDayFromDate(int year, int month, int day)
{
    int64_t a = (14 - month) / 12;
    int64_t y = int64_t(year) + 4800 - a;
    int64_t m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

void dateFromJulianDay(int64_t julianDay, int& year, int& month, int& day)
{
    int64_t a = julianDay + 32044;
    int64_t b = (4 * a + 3) / 146097;
    int64_t c = a - 146097 * b / 4;
    int64_t d = (4 * c + 3) / 1461;
    int64_t e = c - 1461 * d / 4;
    int64_t m = (5 * e + 2) / 153;
    day = int(e - (153 * m + 2) / 5 + 1);
    month = int(m + 3 - 12 * (m / 10));
    year = int(100 * b + d - 4800 + m / 10);
}

} // namespace ll::dbf
