// The decimal digits of a number as a piece of a message joined by platform::concat, held
// in the object itself: no std::string per number, and one out-of-line formatter instead of
// std::to_string's code at every site. Lives until the end of the full expression, which
// is as long as concat needs it.
#pragma once

#include <cstdint>
#include <string_view>

namespace jet {

class Digits {
public:
    explicit Digits(std::uint64_t value);
    operator std::string_view() const { return {text_ + start_, sizeof text_ - start_}; }

private:
    char text_[20];
    std::uint8_t start_;
};

}  // namespace jet
