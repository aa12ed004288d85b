#include "logical_value.h"

#include "my_options.h"

bool isLogicalTrueText(std::string_view text)
{
    static constexpr std::string_view kTrueRun = "TtYy1";
    return !text.empty() && kTrueRun.find(text) != std::string_view::npos;
}

LogicalRule LogicalRule::from(const myOptions& options)
{
    LogicalRule rule;
    rule.logical = options.logical();
    if (auto yes = options.yesValue())
        rule.yesValue = yes->toStdString();
    if (auto no = options.noValue())
        rule.noValue = no->toStdString();
    return rule;
}

std::string_view LogicalRule::apply(std::string_view text) const
{
    if (logical < 1 || logical > 4)
        return text;
    bool isTrue = isLogicalTrueText(text);
    switch (logical) {
    case 1:
        return isTrue ? "1" : "0";
    case 2:
        return isTrue ? "TRUE" : "FALSE";
    case 3:
        return isTrue ? "Yes" : "No";
    default:
        if (!yesValue)
            return text;
        if (isTrue)
            return *yesValue;
        return noValue ? std::string_view(*noValue) : text;
    }
}

QString GetLogicalValue(const myOptions& options, const QString& text)
{
    std::string utf8 = text.toStdString();
    LogicalRule rule = LogicalRule::from(options);
    return QString::fromStdString(std::string(rule.apply(utf8)));
}
