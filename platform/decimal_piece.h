// A number's decimal digits as a piece of a joined text (failCatalog, concat, Log::info). The
// digits are held in place: unlike std::to_string, the piece owns no heap string, so a message
// built from pieces needs no clean-up code for it.
#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>

namespace platform {

class DecimalPiece {
public:
    template <typename Integer, typename = std::enable_if_t<std::is_integral_v<Integer>>>
    explicit DecimalPiece(Integer value) : DecimalPiece(negative(value), magnitude(value)) {}

    operator std::string_view() const { return {digits_ + start_, sizeof digits_ - start_}; }

private:
    DecimalPiece(bool minus, std::uint64_t amount);

    template <typename Integer>
    static constexpr bool negative(Integer value) {
        if constexpr (std::is_signed_v<Integer>) return value < 0;
        else return false;
    }
    template <typename Integer>
    static constexpr std::uint64_t magnitude(Integer value) {
        return negative(value) ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    }

    char digits_[21];  // a sign and the 20 digits of the largest 64-bit magnitude
    unsigned char start_;
};

}  // namespace platform
