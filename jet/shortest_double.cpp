// Digit generation over exact integers: the value and the halfway points to its neighbouring
// doubles, scaled by a power of ten, yield one digit at a time until a digit string lands
// between the halfway points. Big integers only for doubles far from 1, which are slower than
// with table-driven methods; the rest run in one machine word, and integers take a shortcut.
#include "jet/shortest_double.h"

#include <bit>
#include <cmath>
#include <cstdlib>

#include "jet/big_unsigned.h"

namespace jet {

namespace {

// value = mantissa * 2^exponent, the mantissa with its hidden bit.
struct BinaryParts {
    std::uint64_t mantissa;
    int exponent;
    bool narrowBelow;  // a power of two above the smallest normal: the gap below is half
};

BinaryParts binaryParts(double value) {
    auto bits = std::bit_cast<std::uint64_t>(value);
    std::uint64_t fraction = bits & ((std::uint64_t(1) << 52) - 1);
    int biased = static_cast<int>(bits >> 52) & 0x7FF;
    if (biased == 0) return {fraction, -1074, false};
    return {fraction | std::uint64_t(1) << 52, biased - 1075, fraction == 0 && biased > 1};
}

ShortestDecimal withoutTrailingZeros(std::uint64_t digits, int exponent) {
    while (digits % 10 == 0) {
        digits /= 10;
        ++exponent;
    }
    return {digits, exponent};
}

// A machine word with the few operations of BigUnsigned that the digit loop uses.
struct Word {
    std::uint64_t value;
    void multiplyBy(std::uint32_t factor) { value *= factor; }
    std::uint32_t takeDigit(const Word& divisor) {
        auto digit = static_cast<std::uint32_t>(value / divisor.value);
        value %= divisor.value;
        return digit;
    }
    static int compare(const Word& a, const Word& b) { return (a.value > b.value) - (a.value < b.value); }
    static int compareSum(const Word& a, const Word& b, const Word& c) { return compare({a.value + b.value}, c); }
};

// Digits of r / s until they land between the halfway points (r - below) / s and
// (r + above) / s, with r + above below s on entry; the result is scaled by 10^k.
template <class Number>
ShortestDecimal generateDigits(Number r, const Number& s, Number above, Number below,
                               bool narrowBelow, bool even, int k) {
    std::uint64_t digits = 0;
    for (int count = 1;; ++count) {
        r.multiplyBy(10);
        above.multiplyBy(10);
        if (narrowBelow) below.multiplyBy(10);
        std::uint32_t digit = r.takeDigit(s);
        int low = Number::compare(r, narrowBelow ? below : above);
        int high = Number::compareSum(r, above, s);
        bool lowInside = even ? low <= 0 : low < 0;     // stopping here stays above the lower point
        bool highInside = even ? high >= 0 : high > 0;  // so does rounding up, below the upper one
        if (lowInside || highInside) {
            if (lowInside && highInside) {
                int half = Number::compareSum(r, r, s);
                if (half > 0 || (half == 0 && digit % 2 == 1)) ++digit;
            } else if (highInside) {
                ++digit;
            }
            // A digit rounded up to 10 carries into the digits before it.
            return withoutTrailingZeros(digits * 10 + digit, k - count);
        }
        digits = digits * 10 + digit;
    }
}

}  // namespace

ShortestDecimal shortestDecimal(double value) {
    BinaryParts parts = binaryParts(value);
    if (parts.mantissa == 0) return {};
    // An integer below 2^53: no shorter decimal lies within half a unit of it.
    if (parts.exponent <= 0 && parts.exponent > -53 &&
        (parts.mantissa & ((std::uint64_t(1) << -parts.exponent) - 1)) == 0)
        return withoutTrailingZeros(parts.mantissa >> -parts.exponent, 0);

    // The decimal exponent k with the upper halfway point below 10^k: estimated from the
    // binary exponent never above it, then raised while too low.
    int bits = std::bit_width(parts.mantissa) - 1 + parts.exponent;
    int k = static_cast<int>(std::ceil(bits * 0.30102999566398114 - 1e-10));

    // value / 10^k = r / s, the powers of two cancelled between r and s. The halfway points
    // are (r - below) / s and (r + above) / s, below being above unless the gap below is
    // narrow. Doubles with an even mantissa own their halfway points (reading rounds ties
    // to even).
    bool even = (parts.mantissa & 1) == 0;
    int scale = parts.narrowBelow ? 2 : 1;
    BigUnsigned r(parts.mantissa << scale), s(std::uint64_t(1) << scale), above(scale), below(1);
    int twos = parts.exponent - k;
    if (k < 0) {
        r.multiplyByPowerOf5(-k);
        above.multiplyByPowerOf5(-k);
        if (parts.narrowBelow) below.multiplyByPowerOf5(-k);
    } else {
        s.multiplyByPowerOf5(k);
    }
    if (twos > 0) {
        r.shiftLeft(twos);
        above.shiftLeft(twos);
        if (parts.narrowBelow) below.shiftLeft(twos);
    } else {
        s.shiftLeft(-twos);
    }
    while (BigUnsigned::compareSum(r, above, s) >= (even ? 0 : 1)) {
        s.multiplyBy(10);
        ++k;
    }
    // Doubles of everyday size fit a machine word: r and the halfway distances stay below s,
    // and ten times s within 64 bits.
    if (s.bitLength() <= 60)
        return generateDigits(Word{r.low64()}, Word{s.low64()}, Word{above.low64()},
                              Word{below.low64()}, parts.narrowBelow, even, k);
    return generateDigits(r, s, above, below, parts.narrowBelow, even, k);
}

namespace {

char* writeUnsigned(char* out, std::uint64_t value) {
    char text[20];
    int length = 0;
    do {
        text[length++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (length > 0) *out++ = text[--length];
    return out;
}

// The exact integer value of a double of 2^53 or more, whose shortest digits dropped some.
char* writeExactInteger(char* out, const BinaryParts& parts) {
    BigUnsigned value(parts.mantissa);
    value.shiftLeft(parts.exponent);
    char text[320];
    int length = 0;
    do {
        text[length++] = static_cast<char>('0' + value.divideBy(10));
    } while (!value.isZero());
    while (length > 0) *out++ = text[--length];
    return out;
}

}  // namespace

char* writeShortestDouble(char* out, double value) {
    if (std::signbit(value)) *out++ = '-';
    ShortestDecimal decimal = shortestDecimal(value);
    char digits[20];
    int length = static_cast<int>(writeUnsigned(digits, decimal.digits) - digits);
    int exponent = decimal.exponent;

    int scientificExponent = exponent + length - 1;
    int scientificLength = length + (length > 1) + 2 + (std::abs(scientificExponent) >= 100 ? 3 : 2);
    int fixedLength = exponent >= 0 ? length + exponent : -exponent < length ? length + 1 : 2 - exponent;
    if (fixedLength <= scientificLength) {
        if (exponent > 0) {
            BinaryParts parts = binaryParts(value);
            // Below 2^53 the double is exactly the digits and their zeros.
            if (parts.exponent > 0) return writeExactInteger(out, parts);
            for (int i = 0; i < length; ++i) *out++ = digits[i];
            for (int i = 0; i < exponent; ++i) *out++ = '0';
        } else if (-exponent < length) {
            int whole = length + exponent;
            for (int i = 0; i < length; ++i) {
                if (i == whole) *out++ = '.';
                *out++ = digits[i];
            }
        } else {
            *out++ = '0';
            *out++ = '.';
            for (int i = length; i < -exponent; ++i) *out++ = '0';
            for (int i = 0; i < length; ++i) *out++ = digits[i];
        }
        return out;
    }
    *out++ = digits[0];
    if (length > 1) {
        *out++ = '.';
        for (int i = 1; i < length; ++i) *out++ = digits[i];
    }
    *out++ = 'e';
    *out++ = scientificExponent < 0 ? '-' : '+';
    int magnitude = std::abs(scientificExponent);
    if (magnitude < 10) *out++ = '0';
    return writeUnsigned(out, static_cast<std::uint64_t>(magnitude));
}

}  // namespace jet
