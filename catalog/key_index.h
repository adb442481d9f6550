// The merge's hash index: match keys, each with a 32-bit value, in one flat open-addressed
// table. The merge looks keys up several times per record; a node per key and a string per
// lookup (what a standard map costs) made those lookups a large share of a merge.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jet/value.h"

namespace catalog {

class KeyIndex {
public:
    // The value stored with `key`'s match key, if any.
    std::optional<std::uint32_t> find(const jet::Value& key);
    // Stores `value` with `key`'s match key unless the key is there; whether it was stored
    // (an existing key keeps its first value).
    bool insert(const jet::Value& key, std::uint32_t value);
    std::size_t size() const { return size_; }

private:
    struct Slot {
        std::uint64_t hash = 0;  // 0: empty
        std::size_t offset = 0;
        std::uint32_t length = 0;
        std::uint32_t value = 0;
    };

    // The slot holding the key in scratch_ (hash `hash`), or the empty slot where it belongs.
    Slot& slotFor(std::uint64_t hash);
    std::uint64_t hashScratch(const jet::Value& key);
    void grow();

    std::vector<Slot> slots_;
    std::string keys_;     // every stored key, end to end
    std::string scratch_;  // the key being looked up
    std::size_t size_ = 0;
};

}  // namespace catalog
