#include "code_page_mark.h"

#include <cctype>
#include <string>

namespace ll::dbf {
namespace {

struct Mark {
    int codePage;
    uint8_t id;
};

// The ids readers decode from the byte; the DOS and Windows ids of the
// common code pages, and the three Macintosh ones that have ids.
constexpr Mark kMarks[] = {
    {437, 0x01},  {850, 0x02},  {1252, 0x03}, {10000, 0x04}, {852, 0x64},  {866, 0x65},
    {865, 0x66},  {861, 0x67},  {895, 0x68},  {620, 0x69},   {737, 0x6A},  {857, 0x6B},
    {950, 0x78},  {949, 0x79},  {936, 0x7A},  {932, 0x7B},   {874, 0x7C},  {1255, 0x7D},
    {1256, 0x7E}, {10007, 0x96}, {10029, 0x97}, {10006, 0x98}, {1250, 0xC8}, {1251, 0xC9},
    {1254, 0xCA}, {1253, 0xCB}, {1257, 0xCC},
};

// Character-set codes (classic numbers, and 0x80000000 + a value for the
// others) and the code pages the text codecs use for them; consulted when a
// codec's converter name does not say (no converter, or a Mac table).
struct CharsetPage {
    uint32_t code;
    int codePage;
};

constexpr CharsetPage kCharsetPages[] = {
    {8, 932},           {11, 1251},         {12, 1252},         {13, 1253},         {14, 1254},
    {15, 1250},         {30, 10000},        {0x80000400, 437},  {0x80000405, 737},  {0x80000410, 850},
    {0x80000412, 852},  {0x80000414, 857},  {0x80000416, 861},  {0x8000041A, 865},  {0x8000041B, 866},
    {0x8000041D, 874},  {0x80000421, 936},  {0x80000422, 949},  {0x80000423, 950},  {0x80000505, 1255},
    {0x80000506, 1256}, {0x80000507, 1257}, {0x80000006, 10006}, {0x80000007, 10007}, {0x8000001D, 10029},
};

// Lower case, without ICU's variant suffix ("_P100-1995").
std::string lowered(std::string_view name)
{
    std::string out;
    for (char c : name) {
        if (c == '_')
            break;
        out += char(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string withoutDashes(const std::string& name)
{
    std::string out;
    for (char c : name)
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

// The number after a prefix and an optional dash ("windows-936-2000" gives
// 936 for "windows"); 0 when the name does not start that way.
int numberAfter(const std::string& name, std::string_view prefix)
{
    if (name.compare(0, prefix.size(), prefix) != 0)
        return 0;
    size_t i = prefix.size();
    if (i < name.size() && name[i] == '-')
        ++i;
    int value = 0;
    size_t digits = 0;
    for (; i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])) && digits < 6; ++i, ++digits)
        value = value * 10 + (name[i] - '0');
    bool ends = i == name.size() || name[i] == '-';
    return digits > 0 && ends ? value : 0;
}

// ICU's canonical names of the Windows code pages are IBM numbers.
int windowsPageOfIbmNumber(int ibm)
{
    switch (ibm) {
    case 5346: return 1250;
    case 5347: return 1251;
    case 5348: return 1252;
    case 5349: return 1253;
    case 5350: return 1254;
    case 9447: return 1255;
    case 9448: return 1256;
    case 9449: return 1257;
    case 943: return 932;
    default: return ibm;
    }
}

} // namespace

int codePageOfConverter(std::string_view converterName)
{
    std::string name = lowered(converterName);
    std::string bare = withoutDashes(name);
    struct Named {
        const char* name;
        int codePage;
    };
    static constexpr Named kNamed[] = {
        {"macintosh", 10000},   {"macroman", 10000},     {"xmacroman", 10000},   {"maccyrillic", 10007},
        {"xmaccyrillic", 10007}, {"macgreek", 10006},    {"xmacgreek", 10006},   {"xmaccentraleurroman", 10029},
        {"maccentraleurroman", 10029}, {"windows31j", 932}, {"gbk", 936},       {"ms936", 936},
        {"ms949", 949},         {"ms950", 950},
    };
    for (const Named& named : kNamed)
        if (bare == named.name)
            return named.codePage;
    if (int page = numberAfter(name, "ibm"))
        return windowsPageOfIbmNumber(page);
    for (std::string_view prefix : {"windows", "cp", "ms", "dos"})
        if (int page = numberAfter(name, prefix))
            return page;
    return 0;
}

int codePageOfCharset(int32_t charsetCode)
{
    for (const CharsetPage& entry : kCharsetPages)
        if (entry.code == uint32_t(charsetCode))
            return entry.codePage;
    return 0;
}

uint8_t languageDriverForCodePage(int codePage)
{
    for (const Mark& mark : kMarks)
        if (mark.codePage == codePage)
            return mark.id;
    return 0;
}

uint8_t languageDriverFor(int32_t charsetCode, std::string_view converterName, bool converterAvailable)
{
    int page = converterAvailable ? codePageOfConverter(converterName) : 0;
    if (page == 0)
        page = codePageOfCharset(charsetCode);
    return languageDriverForCodePage(page);
}

} // namespace ll::dbf
