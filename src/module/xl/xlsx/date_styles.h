#pragma once
// Cells stored as ISO dates (t="d") are dates whatever their style's number
// format says. Such a cell whose style is not a date format gets a variant
// of its style that is; one variant per style, made on first use.

#include <cstdint>
#include <unordered_map>

namespace ll::xl {
class NumberFormats;
}

namespace ll::xl::xlsx {

class DateStyles {
public:
    // formats: finished, with the file's styles already in.
    explicit DateStyles(NumberFormats& formats);
    // The style to give a date cell whose file style is xf.
    uint32_t dateStyleFor(uint32_t xf);

private:
    NumberFormats& formats_;
    uint32_t fileStyles_; // styles the file defines; higher indexes share one variant
    std::unordered_map<uint32_t, uint32_t> variants_;
};

} // namespace ll::xl::xlsx
