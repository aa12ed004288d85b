#include "text_ops.h"

#include <unicode/uchar.h>

#include <algorithm>

#include "utf8.h"

namespace ll::text {

bool isBlank(char32_t c)
{
    if (c < 0x80)
        return c == ' ' || c == '\t';
    if (c == kInvalid)
        return false;
    return u_charType(UChar32(c)) == U_SPACE_SEPARATOR;
}

namespace {

// Length in bytes of the blanks that start the text.
size_t leadingBlanks(std::string_view text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* at = p;
        if (!isBlank(decodeOne(p, end)))
            return size_t(at - text.data());
    }
    return text.size();
}

// Start of the final character before end (end > begin).
const char* previousCharacter(const char* begin, const char* end)
{
    const char* p = end - 1;
    while (p > begin && (static_cast<unsigned char>(*p) & 0xC0) == 0x80 && end - p < 4)
        --p;
    return p;
}

// Length in bytes of the text without its trailing blanks.
size_t withoutTrailingBlanks(std::string_view text)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    while (end > begin) {
        unsigned char last = static_cast<unsigned char>(end[-1]);
        if (last < 0x80) {
            if (last != ' ' && last != '\t')
                break;
            --end;
            continue;
        }
        const char* start = previousCharacter(begin, end);
        const char* p = start;
        char32_t c = decodeOne(p, end);
        if (p != end || !isBlank(c))
            break;
        end = start;
    }
    return size_t(end - begin);
}

} // namespace

std::string_view trimAll(std::string_view text)
{
    text.remove_prefix(leadingBlanks(text));
    return text.substr(0, withoutTrailingBlanks(text));
}

std::string_view trimRight(std::string_view text)
{
    size_t keep = withoutTrailingBlanks(text);
    return keep == 0 ? text : text.substr(0, keep);
}

std::string_view trimLeft(std::string_view text)
{
    size_t skip = leadingBlanks(text);
    return skip == text.size() ? text : text.substr(skip);
}

bool checkNumbers(std::string_view text)
{
    Utf8Reader reader(text);
    char32_t c;
    while (reader.next(c)) {
        if (c < 0x80 ? (c < '0' || c > '9') : (c == kInvalid || u_charType(UChar32(c)) != U_DECIMAL_DIGIT_NUMBER))
            return false;
    }
    return true;
}

bool checkNumeric(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ',';
    });
}

void removeTrailingZeros(std::string& text)
{
    while (!text.empty()) {
        char last = text.back();
        if (last == '0') {
            text.pop_back();
        } else {
            if (last == '.')
                text.pop_back();
            break;
        }
    }
}

std::string removeTrailingZeros(std::string_view text)
{
    std::string result(text);
    removeTrailingZeros(result);
    return result;
}

std::string_view applyTextOptions(std::string_view text, long long removeSpaces, long long removeCRLF,
                                  std::string& scratch)
{
    if (removeSpaces == 2)
        text = trimAll(text);
    if (removeSpaces == 0)
        text = trimRight(text);
    if (removeCRLF != 0 && text.find_first_of("\r\n") != std::string_view::npos) {
        scratch.assign(text);
        std::replace(scratch.begin(), scratch.end(), '\r', ' ');
        std::replace(scratch.begin(), scratch.end(), '\n', ' ');
        return scratch;
    }
    return text;
}

} // namespace ll::text
