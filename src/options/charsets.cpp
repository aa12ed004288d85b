#include "charsets.h"

#include "my_options.h"

namespace {

// Codes above 0x80000000 number the encodings that have no classic number.
constexpr int32_t cf(uint32_t value)
{
    return int32_t(0x80000000u + value);
}

struct Entry {
    int32_t code;
    const char* name;
};

constexpr Entry kCharsets[kCharsetCount] = {
    {1, "Western (ASCII)"},
    {2, "Western (NextStep)"},
    {3, "Japanese (EUC)"},
    {4, "Unicode (UTF-8)"},
    {5, "Western (ISO Latin 1)"},
    {6, "Symbol (Mac OS)"},
    {7, "Non-lossy ASCII"},
    {8, "Japanese (Windows, DOS)"},
    {9, "Central European (ISO Latin 2)"},
    {10, "Unicode (UTF-16)"},
    {11, "Cyrillic (Windows)"},
    {12, "Western (Windows Latin 1)"},
    {13, "Greek (Windows)"},
    {14, "Turkish (Windows Latin 5)"},
    {15, "Central European (Windows Latin 2)"},
    {21, "Japanese (ISO 2022-JP)"},
    {30, "Western (Mac OS Roman)"},
    {int32_t(0x9C000100u), "Unicode (UTF-32LE)"},
    {int32_t(0x98000100u), "Unicode (UTF-32BE)"},
    {int32_t(0x94000100u), "Unicode (UTF-16LE)"},
    {int32_t(0x90000100u), "Unicode (UTF-16BE)"},
    {int32_t(0x8C000100u), "Unicode (UTF-32)"},
    {cf(0x0C02), "Western (EBCDIC Latin 1)"},
    {cf(0x0A09), "Traditional Chinese (Big 5-E)"},
    {cf(0x0A08), "Ukrainian (KOI8-U)"},
    {cf(0x0A06), "Traditional Chinese (Big 5 HKSCS)"},
    {cf(0x0A05), "Simplified Chinese (HZ GB 2312)"},
    {cf(0x0A04), "Western (Mac Mail)"},
    {cf(0x0A03), "Traditional Chinese (Big 5)"},
    {cf(0x0A02), "Cyrillic (KOI8-R)"},
    {cf(0x0A01), "Japanese (Shift JIS)"},
    {cf(0x0940), "Korean (EUC)"},
    {cf(0x0931), "Traditional Chinese (EUC)"},
    {cf(0x0930), "Simplified Chinese (EUC)"},
    {cf(0x0840), "Korean (ISO 2022-KR)"},
    {cf(0x0632), "Chinese (GB 18030)"},
    {cf(0x0631), "Chinese (GBK)"},
    {cf(0x0628), "Japanese (Shift JIS X0213)"},
    {cf(0x0508), "Vietnamese (Windows)"},
    {cf(0x0507), "Baltic Rim (Windows)"},
    {cf(0x0506), "Arabic (Windows)"},
    {cf(0x0505), "Hebrew (Windows)"},
    {cf(0x0423), "Traditional Chinese (Windows"},
    {cf(0x0422), "Korean (Windows"},
    {cf(0x0421), "Simplified Chinese (Windows"},
    {cf(0x041D), "Thai (Windows"},
    {cf(0x041C), "Greek (DOS Greek 2)"},
    {cf(0x041B), "Cyrillic (DOS)"},
    {cf(0x041A), "Nordic (DOS)"},
    {cf(0x0419), "Arabic (DOS)"},
    {cf(0x0418), "Canadian French (DOS)"},
    {cf(0x0417), "Hebrew (DOS)"},
    {cf(0x0416), "Icelandic (DOS)"},
    {cf(0x0415), "Portuguese (DOS)"},
    {cf(0x0414), "Turkish (DOS)"},
    {cf(0x0413), "Cyrillic (DOS)"},
    {cf(0x0412), "Central European (DOS Latin 2)"},
    {cf(0x0411), "Greek (DOS Greek 1)"},
    {cf(0x0410), "Western (DOS Latin 1)"},
    {cf(0x0406), "Baltic Rim (DOS)"},
    {cf(0x0405), "Greek (DOS)"},
    {cf(0x0400), "Latin-US (DOS)"},
    {cf(0x0210), "Romanian (ISO Latin 10)"},
    {cf(0x020F), "Western (ISO Latin 9)"},
    {cf(0x020E), "Celtic (ISO Latin 8)"},
    {cf(0x020D), "Baltic Rim (ISO Latin 7)"},
    {cf(0x020B), "Thai (ISO 8859-11)"},
    {cf(0x020A), "Nordic (ISO Latin 6)"},
    {cf(0x0209), "Turkish (ISO Latin 5)"},
    {cf(0x0208), "Hebrew (ISO 8859-8)"},
    {cf(0x0207), "Greek (ISO 8859-7)"},
    {cf(0x0206), "Arabic (ISO 8859-6)"},
    {cf(0x0205), "Cyrillic (ISO 8859-5)"},
    {cf(0x0204), "Central European (ISO Latin 4)"},
    {cf(0x0203), "Western (ISO Latin 3)"},
    {cf(0x00EC), "Inuit (Mac OS)"},
    {cf(0x0098), "Cyrillic (Mac OS Ukrainian)"},
    {cf(0x008C), "Farsi (Mac OS)"},
    {cf(0x0029), "Keyboard Symbols (Mac OS)"},
    {cf(0x0028), "Gaelic (Mac OS)"},
    {cf(0x0027), "Celtic (Mac OS)"},
    {cf(0x0026), "Romanian (Mac OS)"},
    {cf(0x0025), "Icelandic (Mac OS)"},
    {cf(0x0024), "Croatian (Mac OS)"},
    {cf(0x0023), "Turkish (Mac OS)"},
    {cf(0x0022), "Dingbats (Mac OS)"},
    {cf(0x001D), "Central European (Mac OS)"},
    {cf(0x001A), "Tibetan (Mac OS)"},
    {cf(0x0019), "Simplified Chinese (Mac OS)"},
    {cf(0x0015), "Thai (Mac OS)"},
    {cf(0x000B), "Gujarati (Mac OS)"},
    {cf(0x000A), "Gurmukhi (Mac OS)"},
    {cf(0x0009), "Devanagari (Mac OS)"},
    {cf(0x0007), "Cyrillic (Mac OS)"},
    {cf(0x0006), "Greek (Mac OS)"},
    {cf(0x0005), "Hebrew (Mac OS)"},
    {cf(0x0004), "Arabic (Mac OS)"},
    {cf(0x0003), "Korean (Mac OS)"},
    {cf(0x0002), "Traditional Chinese (Mac OS)"},
    {cf(0x0001), "Japanese (Mac OS)"},
};

const Entry& entryAt(int64_t index)
{
    return kCharsets[isValidCharsetIndex(index) ? index : kDefaultCharsetIndex];
}

} // namespace

bool isValidCharsetIndex(int64_t index)
{
    return index >= 0 && index < kCharsetCount;
}

int32_t charsetCodeAtIndex(int64_t index)
{
    return entryAt(index).code;
}

QString charsetNameAtIndex(int64_t index)
{
    return QString::fromLatin1(entryAt(index).name);
}

std::optional<QString> charsetNameForCode(int32_t code)
{
    for (const Entry& entry : kCharsets)
        if (entry.code == code)
            return QString::fromLatin1(entry.name);
    return std::nullopt;
}

int charsetIndexForCode(int32_t code)
{
    for (int i = 0; i < kCharsetCount; ++i)
        if (kCharsets[i].code == code)
            return i;
    return 0;
}

std::optional<int> charsetIndexForName(const QString& name)
{
    for (int i = 0; i < kCharsetCount; ++i)
        if (name.compare(QLatin1String(kCharsets[i].name), Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

void chgCharset(myOptions& options, int selectedIndex)
{
    if (isValidCharsetIndex(selectedIndex))
        options.setSourceCharset(selectedIndex);
}
