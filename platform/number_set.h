// A set of 32-bit numbers that only grows: open addressing with linear probing in a
// power-of-two table at most half full. In the installer it is a few hundred bytes of code
// where std::unordered_set brings its node allocation and prime-number rehashing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class NumberSet {
public:
    // Adds `number`; false when it was there already.
    bool insert(std::uint32_t number);
    std::size_t size() const { return count_; }

private:
    void grow();

    std::vector<std::uint64_t> slots_;  // number + 1; 0 is a free slot
    std::size_t count_ = 0;
};

}  // namespace platform
