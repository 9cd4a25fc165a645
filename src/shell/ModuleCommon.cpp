#include "shell/ModuleCommon.h"

#include <cmath>
#include <limits>

AreaRect GetArea(int index)
{
    switch (index) {
    case AreaSide:
        return {2, 2, 65, 439};
    case AreaThreadList:
        return {69, 2, 619, 199};
    case AreaScore:
        return {623, 2, 798, 439};
    case AreaThreadView:
        return {69, 203, 619, 439};
    case AreaSelected:
        return {2, 443, 119, 598};
    case AreaHand:
        return {123, 443, 798, 598};
    default:
        return {};
    }
}

int32_t RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    // Values beyond the 32-bit range clamp instead of overflowing.
    const double r = std::nearbyint(value);
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}
