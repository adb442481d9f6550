// An unsigned integer of up to 1,280 bits, enough for any double scaled by a power of ten:
// the exact arithmetic behind the shortest spelling of doubles (shortest_double.h).
// Fixed storage and no allocation; the operations are the few that digit generation needs.
#pragma once

#include <array>
#include <cstdint>

namespace jet {

class BigUnsigned {
public:
    explicit BigUnsigned(std::uint64_t value = 0);

    bool isZero() const { return size_ == 0; }
    int bitLength() const;
    std::uint64_t low64() const;
    void shiftLeft(int bits);
    void multiplyBy(std::uint32_t factor);
    void multiplyByPowerOf5(int exponent);  // exponent >= 0
    // this -= other; other must not exceed this.
    void subtract(const BigUnsigned& other);
    // Divides by a nonzero `divisor`, returning the remainder.
    std::uint32_t divideBy(std::uint32_t divisor);
    // The quotient this / divisor when it is below 10, leaving the remainder in this.
    std::uint32_t takeDigit(const BigUnsigned& divisor);

    // -1, 0 or 1 as a + b is less than, equal to or greater than c.
    static int compareSum(const BigUnsigned& a, const BigUnsigned& b, const BigUnsigned& c);
    static int compare(const BigUnsigned& a, const BigUnsigned& b);

private:
    static constexpr int kCapacity = 40;  // 32-bit limbs, least significant first
    std::array<std::uint32_t, kCapacity> limbs_;  // past size_: undefined
    int size_ = 0;  // limbs in use; the top one is nonzero

    std::uint64_t bitsFrom(int position) const;  // (this >> position), its low 64 bits
    void trim();
    void push(std::uint32_t limb);
};

}  // namespace jet
