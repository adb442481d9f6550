// The shortest decimal spelling of a double that reads back as the same double, computed
// exactly (no reliance on the C runtime's printf or strtod), spelled as std::to_chars spells a
// double without a format: fixed or scientific, whichever is shorter, fixed on a tie
// ("100", "0.001", "1.5e-07", "1e+20"); a fixed number of 10 or more prints the double's
// exact integer value. Our own because the library's version adds 170 KB to the installer.
#pragma once

#include <cstdint>

namespace jet {

// value = digits * 10^exponent, with no trailing zero in digits (0 for zero).
struct ShortestDecimal {
    std::uint64_t digits = 0;
    int exponent = 0;
};

// Of the decimals that read back as |value| (finite), the shortest; of those, the nearest to
// |value|, and the one with the even last digit if two are as near.
ShortestDecimal shortestDecimal(double value);

// Writes the spelling of a finite value, minus sign included, to out (32 bytes are always
// enough) and returns the end.
char* writeShortestDouble(char* out, double value);

}  // namespace jet
