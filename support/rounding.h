#pragma once

#include <cmath>

namespace support {

// Rounds to the nearest whole number, a value exactly halfway to the even
// neighbour (2.5 -> 2, 3.5 -> 4), whatever the floating-point rounding mode.
inline double RoundHalfEven(double x) {
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

} // namespace support
