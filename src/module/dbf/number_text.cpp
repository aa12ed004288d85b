#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace ll::dbf {
namespace {

// Prints value with the decimals into buffer; returns its length or 0 when
// it does not fit the buffer. A negative zero loses its sign.
size_t printFixed(double value, int decimals, char* buffer, size_t room)
{
    auto result = std::to_chars(buffer, buffer + room, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return 0;
    size_t length = size_t(result.ptr - buffer);
    if (buffer[0] == '-') {
        bool allZero = true;
        for (size_t i = 1; i < length && allZero; ++i)
            allZero = buffer[i] == '0' || buffer[i] == '.';
        if (allZero) {
            std::memmove(buffer, buffer + 1, length - 1);
            --length;
        }
    }
    return length;
}

} // namespace

int formatNumberField(double value, uint32_t width, uint32_t decimals, char* dst)
{
    std::memset(dst, ' ', width);
    if (!std::isfinite(value) || width == 0)
        return -1;
    // 20 digits of width at most; anything that needs more does not fit.
    if (std::fabs(value) >= 1e21)
        return -1;
    char buffer[64];
    for (int d = int(decimals); d >= 0; --d) {
        size_t length = printFixed(value, d, buffer, sizeof buffer);
        if (length != 0 && length <= width) {
            std::memcpy(dst + (width - length), buffer, length);
            return d;
        }
    }
    return -1;
}

} // namespace ll::dbf
