#pragma once
// The text that a Boolean cell becomes, by the `logical` setting:
// 0 unchanged, 1 "1"/"0", 2 "TRUE"/"FALSE", 3 "Yes"/"No", 4 the user's own
// pair yesValue/noValue. Any other value leaves the text unchanged.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

class myOptions;

// True when the text is not empty and occurs as a run of consecutive
// characters in "TtYy1" ("1", "T", "y", "Tt" ...).
bool isLogicalTrueText(std::string_view text);

// A snapshot of the three settings, taken once per run so that each
// Boolean cell is turned into text without locking or allocating.
struct LogicalRule {
    int64_t logical = 0;
    std::optional<std::string> yesValue; // UTF-8
    std::optional<std::string> noValue;

    static LogicalRule from(const myOptions& options);
    std::string_view apply(std::string_view text) const;
};

QString GetLogicalValue(const myOptions& options, const QString& text);
