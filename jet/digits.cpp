#include "jet/digits.h"

namespace jet {

Digits::Digits(std::uint64_t value) : start_(sizeof text_) {
    do {
        text_[--start_] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
}

}  // namespace jet
