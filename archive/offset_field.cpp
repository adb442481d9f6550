// Accumulation is done in unsigned 64 bits with an explicit bound so that the extreme values
// (-9223372036854775808 fits the field exactly) parse without overflow.
#include "archive/offset_field.h"

#include <stdexcept>

#include "platform/decimal_piece.h"

namespace archive {

namespace {

int digitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') return c - '0';
    if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::int64_t> parseOffsetField(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size()) return std::nullopt;
    const std::uint64_t limit = negative ? (std::uint64_t{1} << 63) : (std::uint64_t{1} << 63) - 1;
    const unsigned base = hex ? 16 : 10;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i], hex);
        if (digit < 0) return std::nullopt;
        if (value > (limit - static_cast<unsigned>(digit)) / base) return std::nullopt;
        value = value * base + static_cast<unsigned>(digit);
    }
    if (negative) return value == (std::uint64_t{1} << 63) ? INT64_MIN : -static_cast<std::int64_t>(value);
    return static_cast<std::int64_t>(value);
}

std::string formatOffsetField(std::int64_t offset) {
    if (offset < 0) throw std::invalid_argument("an archive offset cannot be negative");
    const std::string digits{std::string_view(platform::DecimalPiece(offset))};
    return std::string(kOffsetFieldSize - digits.size(), ' ') + digits;
}

}  // namespace archive
