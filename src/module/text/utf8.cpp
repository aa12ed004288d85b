#include "utf8.h"

namespace ll::text {

bool isValidUtf8(std::string_view text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        if (static_cast<unsigned char>(*p) < 0x80) {
            ++p;
            continue;
        }
        if (decodeOne(p, end) == kInvalid)
            return false;
    }
    return true;
}

} // namespace ll::text
