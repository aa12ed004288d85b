#include "field_names.h"

#include <cstdio>

namespace ll::dbf {
namespace {

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string FieldNameFitter::fit(std::string_view wanted, size_t index)
{
    std::string base;
    for (char c : wanted) {
        if (isAsciiLetter(c))
            base += char(c >= 'a' ? c - 'a' + 'A' : c);
        else if (isAsciiDigit(c) || c == '_')
            base += c;
    }
    if (base.empty()) {
        char fallback[24];
        std::snprintf(fallback, sizeof fallback, "FLD_%04zu", index);
        base = fallback;
    } else if (!isAsciiLetter(base.front())) {
        base.insert(base.begin(), 'F');
    }
    if (base.size() > maxLength_)
        base.resize(maxLength_);

    std::string name = base;
    if (used_.count(name) != 0) {
        size_t& suffix = nextSuffix_[base];
        do {
            std::string tail = "_" + std::to_string(++suffix);
            name = base.substr(0, maxLength_ > tail.size() ? maxLength_ - tail.size() : 0) + tail;
        } while (used_.count(name) != 0);
    }
    used_.insert(name);
    return name;
}

} // namespace ll::dbf
