// Window positions from the layout's double-precision arithmetic.
#pragma once

#include <cstdint>

// Truncates toward zero. Marks follow values that may be anything (outputs
// overshoot to 2.0, hosts write any float, NaN included): a position that is
// no number or lies absurdly far off is parked well outside the window,
// where every copy is clipped away, instead of reaching an undefined cast.
inline std::int32_t truncateToPixel(double position) {
    constexpr double kFarOutside = 1.0e6;
    if (!(position > -kFarOutside)) {
        return -static_cast<std::int32_t>(kFarOutside);
    }
    if (position > kFarOutside) {
        return static_cast<std::int32_t>(kFarOutside);
    }
    return static_cast<std::int32_t>(position);
}
