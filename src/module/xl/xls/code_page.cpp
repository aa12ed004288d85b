#include "code_page.h"

#include <unicode/ucnv.h>

#include "biff_text.h"

namespace ll::xl::xls {

CodePage::CodePage()
{
    select(1252);
}

CodePage::~CodePage()
{
    if (converter_)
        ucnv_close(converter_);
}

const char* CodePage::converterName(uint16_t codePage, std::string& scratch)
{
    switch (codePage) {
    case 1200: return "UTF-16LE";
    case 10000:
    case 32768: return "macintosh";
    case 10006: return "x-mac-greek";
    case 10007: return "x-mac-cyrillic";
    case 10029: return "x-mac-centraleurroman";
    case 10081: return "x-mac-turkish";
    case 32769: return "windows-1252";
    case 874:
    case 936:
    case 949:
    case 950: scratch = "windows-" + std::to_string(codePage); return scratch.c_str();
    default: break;
    }
    if (codePage >= 1250 && codePage <= 1258) {
        scratch = "windows-" + std::to_string(codePage);
        return scratch.c_str();
    }
    if (codePage >= 300 && codePage <= 1999) {
        scratch = "cp" + std::to_string(codePage);
        return scratch.c_str();
    }
    return nullptr;
}

bool CodePage::open(const char* name)
{
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(name, &status);
    if (U_FAILURE(status) || !converter)
        return false;
    if (converter_)
        ucnv_close(converter_);
    converter_ = converter;
    asciiCompatible_ = ucnv_getMinCharSize(converter_) == 1;
    return true;
}

void CodePage::select(uint16_t codePage)
{
    std::string scratch;
    const char* name = converterName(codePage, scratch);
    if (!name || !open(name))
        open("windows-1252");
}

void CodePage::appendUtf8(ByteView bytes, std::string& out)
{
    if (asciiCompatible_) {
        size_t i = 0;
        while (i < bytes.size && bytes.data[i] < 0x80)
            ++i;
        if (i == bytes.size) {
            out.append(reinterpret_cast<const char*>(bytes.data), bytes.size);
            return;
        }
    }
    if (!converter_) {
        appendLatin1(bytes, out);
        return;
    }
    // One byte never makes more than two UTF-16 units in the code pages
    // BIFF5 names.
    units_.resize(2 * bytes.size + 2);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter_);
    int32_t count = ucnv_toUChars(converter_, reinterpret_cast<UChar*>(units_.data()), int32_t(units_.size()),
                                  reinterpret_cast<const char*>(bytes.data), int32_t(bytes.size), &status);
    if (U_FAILURE(status)) {
        appendLatin1(bytes, out);
        return;
    }
    Utf16Appender appender(out);
    appender.append(units_.data(), size_t(count));
    appender.finish();
}

} // namespace ll::xl::xls
