#pragma once
// Number texts are always printed and read with a point as the decimal
// separator, whatever the user's locale (the window sets it from the
// environment).

#include <clocale>
#include <locale.h>

// The "C" locale object, made once.
locale_t cLocale();

// Makes this thread print and read numbers in the C locale while it lives.
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};
