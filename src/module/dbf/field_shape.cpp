#include "field_shape.h"

#include <algorithm>

namespace ll::dbf {

std::optional<FieldShape> fitFieldShape(char type, int64_t width, int64_t decimals, const FlavourTraits& traits)
{
    if (type >= 'a' && type <= 'z')
        type = char(type - 'a' + 'A');
    switch (type) {
    case 'C':
        return FieldShape{'C', uint32_t(std::clamp<int64_t>(width, 1, kMaxCharacterWidth)), 0};
    case 'N':
    case 'F': {
        bool hasFloat = traits.flavour != Flavour::DBase3 && traits.flavour != Flavour::Smt;
        auto dec = uint32_t(std::clamp<int64_t>(decimals, 0, kMaxNumericDecimals));
        auto w = uint32_t(std::clamp<int64_t>(width, 1, kMaxNumericWidth));
        if (dec > 0)
            w = std::max(w, dec + 2);
        return FieldShape{type == 'F' && hasFloat ? 'F' : 'N', w, uint8_t(dec)};
    }
    case 'L':
        return FieldShape{'L', 1, 0};
    case 'D':
        return FieldShape{'D', 8, 0};
    case 'M':
        return FieldShape{'M', uint32_t(traits.memoFieldWidth), 0};
    default:
        return std::nullopt;
    }
}

} // namespace ll::dbf
