// Open addressing for the number set; see number_set.h.
#include "platform/number_set.h"

namespace platform {

namespace {
// Mixes every bit of the number into the low ones the table's mask keeps: page numbers and
// row addresses differ mostly in their high bits.
std::size_t spread(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x45D9F3Bu;
    x ^= x >> 16;
    return x;
}
}  // namespace

bool NumberSet::insert(std::uint32_t number) {
    if (2 * (count_ + 1) > slots_.size()) grow();
    const std::uint64_t stored = std::uint64_t(number) + 1;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = spread(number) & mask;; i = (i + 1) & mask) {
        if (slots_[i] == stored) return false;
        if (slots_[i] == 0) {
            slots_[i] = stored;
            ++count_;
            return true;
        }
    }
}

void NumberSet::grow() {
    std::vector<std::uint64_t> old(slots_.empty() ? 16 : 2 * slots_.size());
    old.swap(slots_);
    count_ = 0;
    for (const std::uint64_t stored : old)
        if (stored != 0) insert(static_cast<std::uint32_t>(stored - 1));
}

}  // namespace platform
