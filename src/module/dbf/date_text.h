#pragma once
// Date texts in and out of D fields.
//
// Stored form: "YYYYMMDD", or 8 blanks for no date.
// In (setField): the 14-digit "YYYYMMDDhhmmss" the converter sends, or 8
// digits; the time part is dropped. When the date order is dmy, mdy or ymd,
// a text in that order is taken too: day, month and a 4-digit year (or
// year first) separated by '.', '-' or '/' (the same one twice), with an
// optional time after a blank that is dropped ("31.12.2024",
// "2024-12-31 10:00"). Every date must exist in the calendar (years 1 to
// 9999); anything else gives a blank date.
// Out (getString): "asis" (the default) shows the stored 8 digits; the
// other orders show day, month and year with the delimiter
// ("31.12.2024"). A stored text that is no valid date is shown as it is.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ll::dbf {

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay, AsIs };

struct DateFormat {
    DateOrder order = DateOrder::AsIs;
    char delimiter = '.';
};

std::optional<DateOrder> dateOrderFromText(std::string_view text);
// Rows 0..9 of the converter's date-format setting; nullopt beyond.
std::optional<DateFormat> dateFormatForIndex(int64_t index);

bool isCalendarDate(int year, int month, int day);

// Fills out with "YYYYMMDD" when text is a date; false otherwise.
bool parseDateText(std::string_view text, const DateFormat& format, char out[8]);

// The stored 8 bytes as the format shows them, appended to out.
void formatStoredDate(std::string_view stored, const DateFormat& format, std::string& out);

// Julian day numbers (Visual FoxPro's datetime fields).
int64_t julianDayFromDate(int year, int month, int day);
void dateFromJulianDay(int64_t julianDay, int& year, int& month, int& day);

} // namespace ll::dbf
