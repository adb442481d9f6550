// Numbers reduced to one exact spelling.
#include "catalog/number_key.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

#include "platform/decimal_piece.h"

namespace catalog {

namespace {

// A magnitude of up to 128 bits (a Decimal's), as four 32-bit limbs, least significant first.
// Plain limbs rather than a 128-bit integer type: the 32-bit Windows build has none.
struct Magnitude {
    std::array<std::uint32_t, 4> limbs{};

    static Magnitude of(std::uint64_t high, std::uint64_t low) {
        return {{static_cast<std::uint32_t>(low), static_cast<std::uint32_t>(low >> 32),
                 static_cast<std::uint32_t>(high), static_cast<std::uint32_t>(high >> 32)}};
    }
    bool isZero() const { return (limbs[0] | limbs[1] | limbs[2] | limbs[3]) == 0; }
    std::uint32_t remainder(std::uint32_t divisor) const {
        std::uint64_t r = 0;
        for (int i = 3; i >= 0; --i) r = ((r << 32) | limbs[static_cast<std::size_t>(i)]) % divisor;
        return static_cast<std::uint32_t>(r);
    }
    void divide(std::uint32_t divisor) {
        std::uint64_t r = 0;
        for (int i = 3; i >= 0; --i) {
            const std::uint64_t dividend = (r << 32) | limbs[static_cast<std::size_t>(i)];
            limbs[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(dividend / divisor);
            r = dividend % divisor;
        }
    }
    // The value when it is below 2^63.
    bool small(std::uint64_t& out) const {
        if (limbs[2] != 0 || limbs[3] != 0 || (limbs[1] & 0x80000000u) != 0) return false;
        out = (std::uint64_t(limbs[1]) << 32) | limbs[0];
        return true;
    }
    std::string digits() const {
        std::string out;
        Magnitude m = *this;
        do {
            out.insert(out.begin(), static_cast<char>('0' + m.remainder(10)));
            m.divide(10);
        } while (!m.isZero());
        return out;
    }
};

void writeInteger(std::int64_t n, std::string& out) {
    out += platform::DecimalPiece(n);
}

// Writes the key of (negative ? -1 : 1) * m * 2^a * 5^b.
void writeExact(bool negative, Magnitude m, int a, int b, std::string& out) {
    if (m.isZero()) return writeInteger(0, out);
    while (m.remainder(2) == 0) m.divide(2), ++a;
    while (m.remainder(5) == 0) m.divide(5), ++b;
    std::uint64_t n = 0;
    if (a >= 0 && b >= 0 && m.small(n)) {
        // An integer: spelled like the integer kinds' keys when it stays below 2^63.
        const std::uint64_t limit = std::uint64_t(1) << 63;
        bool fits = true;
        for (int i = 0; i < a && fits; ++i) fits = (n *= 2) < limit;
        for (int i = 0; i < b && fits; ++i) fits = n < limit / 5 && (n *= 5) < limit;
        if (fits) return writeInteger(negative ? -static_cast<std::int64_t>(n) : static_cast<std::int64_t>(n), out);
    }
    if (negative) out.push_back('-');
    out += m.digits();
    out += "*2^";
    writeInteger(a, out);
    out += "*5^";
    writeInteger(b, out);
}

void writeFloating(double d, std::string& out) {
    if (std::isnan(d)) return void(out.append("nan"));
    if (std::isinf(d)) return void(out.append(d < 0 ? "-inf" : "inf"));
    if (d == std::floor(d) && std::fabs(d) < 9.2e18) return writeInteger(static_cast<std::int64_t>(d), out);
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(d), &exponent);
    // Every finite double is an integer of at most 53 bits times a power of two.
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    writeExact(d < 0, Magnitude::of(0, mantissa), exponent - 53, 0, out);
}

}  // namespace

bool isNumber(const jet::Value& value) {
    switch (value.kind()) {
    case jet::Value::Kind::Byte:
    case jet::Value::Kind::Int16:
    case jet::Value::Kind::Int32:
    case jet::Value::Kind::Currency:
    case jet::Value::Kind::Float:
    case jet::Value::Kind::Double:
    case jet::Value::Kind::Decimal: return true;
    default: return false;
    }
}

void writeNumberKey(const jet::Value& value, std::string& out) {
    switch (value.kind()) {
    case jet::Value::Kind::Float: return writeFloating(value.asFloat(), out);
    case jet::Value::Kind::Double: return writeFloating(value.asDouble(), out);
    case jet::Value::Kind::Currency: {
        // On the magnitude: unsigned division is the one the 32-bit build links anyway.
        const std::int64_t t = value.asCurrency().tenThousandths;
        const std::uint64_t magnitude = t < 0 ? 0 - static_cast<std::uint64_t>(t) : static_cast<std::uint64_t>(t);
        if (magnitude % 10000 == 0) {
            const auto whole = static_cast<std::int64_t>(magnitude / 10000);
            return writeInteger(t < 0 ? -whole : whole, out);
        }
        return writeExact(t < 0, Magnitude::of(0, magnitude), -4, -4, out);
    }
    case jet::Value::Kind::Decimal: {
        const jet::Decimal d = value.asDecimal();
        return writeExact(d.negative, Magnitude::of(d.high, d.low), -int(d.scale), -int(d.scale), out);
    }
    default: return writeInteger(value.asInteger(), out);
    }
}

std::optional<std::int64_t> integerValue(const jet::Value& value) {
    if (!isNumber(value)) return std::nullopt;
    std::string key;
    writeNumberKey(value, key);
    // Integers are the keys spelled as plain digits.
    std::int64_t n = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), n);
    if (error != std::errc() || end != key.data() + key.size()) return std::nullopt;
    return n;
}

}  // namespace catalog
