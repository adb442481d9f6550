#include "platform/decimal_piece.h"

namespace platform {

DecimalPiece::DecimalPiece(bool minus, std::uint64_t amount) {
    std::size_t at = sizeof digits_;
    do {
        digits_[--at] = static_cast<char>('0' + amount % 10);
        amount /= 10;
    } while (amount != 0);
    if (minus) digits_[--at] = '-';
    start_ = static_cast<unsigned char>(at);
}

}  // namespace platform
