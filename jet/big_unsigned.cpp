// Schoolbook arithmetic on 32-bit limbs: the values stay below 2^1200, so nothing fancier pays.
#include "jet/big_unsigned.h"

#include <bit>
#include <cstdlib>

namespace jet {

BigUnsigned::BigUnsigned(std::uint64_t value) {
    for (; value != 0; value >>= 32) push(static_cast<std::uint32_t>(value));
}

void BigUnsigned::push(std::uint32_t limb) {
    // Callers scale doubles only, which stay far below the capacity; going past it is a bug.
    if (size_ == kCapacity) std::abort();
    limbs_[size_++] = limb;
}

void BigUnsigned::trim() {
    while (size_ > 0 && limbs_[size_ - 1] == 0) --size_;
}

void BigUnsigned::shiftLeft(int bits) {
    if (size_ == 0 || bits == 0) return;
    int whole = bits / 32, part = bits % 32;
    if (size_ + whole + 1 > kCapacity) std::abort();
    limbs_[size_ + whole] = 0;
    for (int i = size_ - 1; i >= 0; --i) {
        std::uint32_t limb = limbs_[i];
        if (part != 0) limbs_[i + whole + 1] |= limb >> (32 - part);
        limbs_[i + whole] = limb << part;
    }
    for (int i = 0; i < whole; ++i) limbs_[i] = 0;
    size_ += whole + 1;
    trim();
}

void BigUnsigned::multiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
        std::uint64_t product = std::uint64_t(limbs_[i]) * factor + carry;
        limbs_[i] = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0) push(static_cast<std::uint32_t>(carry));
    if (factor == 0) size_ = 0;
}

void BigUnsigned::multiplyByPowerOf5(int exponent) {
    constexpr std::uint32_t kFiveTo13 = 1220703125;  // the largest power of five in a limb
    for (; exponent >= 13; exponent -= 13) multiplyBy(kFiveTo13);
    std::uint32_t rest = 1;
    while (exponent-- > 0) rest *= 5;
    multiplyBy(rest);
}

void BigUnsigned::subtract(const BigUnsigned& other) {
    std::uint32_t borrow = 0;
    for (int i = 0; i < size_; ++i) {
        std::uint64_t take = std::uint64_t(i < other.size_ ? other.limbs_[i] : 0) + borrow;
        borrow = limbs_[i] < take;
        limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - take);
        if (borrow == 0 && i >= other.size_) break;
    }
    trim();
}

std::uint32_t BigUnsigned::divideBy(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (int i = size_ - 1; i >= 0; --i) {
        std::uint64_t part = (remainder << 32) | limbs_[i];
        limbs_[i] = static_cast<std::uint32_t>(part / divisor);
        remainder = part % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(remainder);
}

int BigUnsigned::bitLength() const {
    return size_ == 0 ? 0 : 32 * size_ - std::countl_zero(limbs_[size_ - 1]);
}

std::uint64_t BigUnsigned::low64() const { return bitsFrom(0); }

std::uint64_t BigUnsigned::bitsFrom(int position) const {
    auto limb = [&](int i) -> std::uint64_t { return i < size_ ? limbs_[i] : 0; };
    int index = position / 32, bit = position % 32;
    std::uint64_t bits = (limb(index) | limb(index + 1) << 32) >> bit;
    if (bit != 0) bits |= limb(index + 2) << (64 - bit);
    return bits;
}

std::uint32_t BigUnsigned::takeDigit(const BigUnsigned& divisor) {
    // Estimated from the divisor's top 32 bits and the same bits of this (36 at most, as the
    // quotient is below 10): never above the quotient, and at most one below it.
    int position = divisor.bitLength() - 32;
    if (position < 0) position = 0;
    std::uint64_t divisorTop = divisor.bitsFrom(position);
    auto digit = static_cast<std::uint32_t>(bitsFrom(position) / (divisorTop + (position > 0)));
    if (digit != 0) {
        // this -= digit * divisor, limb by limb.
        std::uint64_t carry = 0;
        std::uint32_t borrow = 0;
        for (int i = 0; i < size_; ++i) {
            std::uint64_t product =
                (i < divisor.size_ ? std::uint64_t(divisor.limbs_[i]) * digit : 0) + carry;
            carry = product >> 32;
            std::uint64_t take = (product & 0xFFFFFFFFu) + borrow;
            borrow = limbs_[i] < take;
            limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - take);
        }
        trim();
    }
    while (compare(*this, divisor) >= 0) {
        subtract(divisor);
        ++digit;
    }
    return digit;
}

int BigUnsigned::compare(const BigUnsigned& a, const BigUnsigned& b) {
    if (a.size_ != b.size_) return a.size_ < b.size_ ? -1 : 1;
    for (int i = a.size_ - 1; i >= 0; --i)
        if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    return 0;
}

int BigUnsigned::compareSum(const BigUnsigned& a, const BigUnsigned& b, const BigUnsigned& c) {
    int n = a.size_ > b.size_ ? a.size_ : b.size_;
    if (n + 1 < c.size_) return -1;
    if (n > c.size_) return 1;
    // From the top down: the difference (a + b) - c in the limbs so far. The limbs below add
    // less than 2 units and take away less than 1, so 1 or more is settled above, -2 or less
    // below; only -1 and 0 need the next limb.
    std::int64_t difference = 0;
    for (int i = c.size_ > n ? c.size_ - 1 : n - 1; i >= 0; --i) {
        std::uint64_t sum = std::uint64_t(i < a.size_ ? a.limbs_[i] : 0) + (i < b.size_ ? b.limbs_[i] : 0);
        difference = difference * (std::int64_t(1) << 32) + std::int64_t(sum) -
                     std::int64_t(i < c.size_ ? c.limbs_[i] : 0);
        if (difference >= 1) return 1;
        if (difference <= -2) return -1;
    }
    return difference == 0 ? 0 : -1;
}

}  // namespace jet
