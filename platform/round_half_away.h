// Rounding to the nearest whole number, halves away from zero: std::lround's result, without
// the C runtime's lround and llround (and their errno) in the installer.
#pragma once

#include <cmath>

namespace platform {

// Exact for every finite x: the fraction x - trunc(x) is computed without rounding.
inline double roundHalfAway(double x) {
    const double whole = std::trunc(x);
    if (std::fabs(x - whole) < 0.5) return whole;
    return x < 0 ? whole - 1.0 : whole + 1.0;
}

}  // namespace platform
