// Open addressing with linear probing over a power-of-two table, kept at most half full.
#include "catalog/key_index.h"

#include <functional>

#include "catalog/match_key.h"

namespace catalog {

std::uint64_t KeyIndex::hashScratch(const jet::Value& key) {
    writeMatchKey(key, scratch_);
    const std::uint64_t hash = std::hash<std::string_view>{}(scratch_);
    return hash != 0 ? hash : 1;  // 0 marks an empty slot
}

KeyIndex::Slot& KeyIndex::slotFor(std::uint64_t hash) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.hash == 0) return slot;
        if (slot.hash == hash && std::string_view(keys_).substr(slot.offset, slot.length) == scratch_) return slot;
    }
}

std::optional<std::uint32_t> KeyIndex::find(const jet::Value& key) {
    if (size_ == 0) return std::nullopt;
    const Slot& slot = slotFor(hashScratch(key));
    if (slot.hash == 0) return std::nullopt;
    return slot.value;
}

bool KeyIndex::insert(const jet::Value& key, std::uint32_t value) {
    if (2 * (size_ + 1) > slots_.size()) grow();
    const std::uint64_t hash = hashScratch(key);
    Slot& slot = slotFor(hash);
    if (slot.hash != 0) return false;
    slot = Slot{hash, keys_.size(), static_cast<std::uint32_t>(scratch_.size()), value};
    keys_ += scratch_;
    ++size_;
    return true;
}

void KeyIndex::grow() {
    std::vector<Slot> old(slots_.empty() ? 16 : 2 * slots_.size());
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
        if (s.hash == 0) continue;
        std::size_t i = s.hash & mask;
        while (slots_[i].hash != 0) i = (i + 1) & mask;
        slots_[i] = s;
    }
}

}  // namespace catalog
