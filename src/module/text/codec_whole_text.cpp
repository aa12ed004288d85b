#include "codec_whole_text.h"

#include <cstring>
#include <vector>

#include "utf8.h"

namespace ll::text {

size_t WholeTextCodec::encodeInto(std::string_view utf8, char* dst, size_t capacity) const
{
    thread_local std::string encoded;
    encoded.clear();
    encode(utf8, encoded);
    if (encoded.size() > capacity) {
        // Where each character ends in utf8.
        thread_local std::vector<size_t> ends;
        ends.clear();
        const char* p = utf8.data();
        const char* end = p + utf8.size();
        while (p < end) {
            decodeOne(p, end);
            ends.push_back(size_t(p - utf8.data()));
        }
        // A longer prefix never encodes shorter (a shift sequence only
        // moves), so bisect: a prefix of `fits` characters fits, one of
        // `tooLong` does not.
        size_t fits = 0;
        size_t tooLong = ends.size();
        while (tooLong - fits > 1) {
            size_t middle = fits + (tooLong - fits) / 2;
            encoded.clear();
            encode(utf8.substr(0, ends[middle - 1]), encoded);
            (encoded.size() <= capacity ? fits : tooLong) = middle;
        }
        encoded.clear();
        if (fits > 0)
            encode(utf8.substr(0, ends[fits - 1]), encoded);
        if (encoded.size() > capacity)
            encoded.clear();
    }
    if (!encoded.empty())
        std::memcpy(dst, encoded.data(), encoded.size());
    return encoded.size();
}

void tidyHz(std::string& out, size_t start)
{
    if (out.compare(start, 2, "~}") == 0)
        out.erase(start, 2);
    bool chinese = false;
    for (size_t i = start; i < out.size(); ++i) {
        if (chinese) {
            if (out[i] == '~' && i + 1 < out.size() && out[i + 1] == '}') {
                chinese = false;
                ++i;
            } else {
                ++i;  // the second byte of a GB pair
            }
        } else if (out[i] == '~' && i + 1 < out.size()) {
            chinese = out[i + 1] == '{';
            ++i;  // "~{", "~~" or "~" + newline
        }
    }
    if (chinese)
        out += "~}";
}

void dropIdleIso2022KrHeader(std::string& out, size_t start)
{
    static constexpr std::string_view kHeader = "\x1b$)C";
    if (out.compare(start, kHeader.size(), kHeader) == 0 && out.find('\x0E', start) == std::string::npos)
        out.erase(start, kHeader.size());
}

} // namespace ll::text
