#include "date_styles.h"

#include "module/xl/book.h"

namespace ll::xl::xlsx {

DateStyles::DateStyles(NumberFormats& formats) : formats_(formats), fileStyles_(uint32_t(formats.xfCount())) {}

uint32_t DateStyles::dateStyleFor(uint32_t xf)
{
    if (formats_.formatOfXf(xf).isDate)
        return xf;
    // Styles the file does not define all read as General: one variant serves
    // them all, however many different indexes the cells use.
    uint32_t key = xf < fileStyles_ ? xf : UINT32_MAX;
    auto it = variants_.find(key);
    if (it != variants_.end())
        return it->second;
    uint32_t variant = formats_.addDateVariant(key == UINT32_MAX ? fileStyles_ : xf);
    variants_.emplace(key, variant);
    return variant;
}

} // namespace ll::xl::xlsx
