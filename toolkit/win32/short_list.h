// Lookup in the short lists of pairs the window keeps (a dozen controls, a few fonts): a
// linear search, which costs less code than a std::map and is as fast at these sizes.
#pragma once

#include <utility>
#include <vector>

namespace toolkit::win32 {

// The value kept for `key`, or nullptr.
template <typename Key, typename Value>
Value* findIn(std::vector<std::pair<Key, Value>>& list, const Key& key) {
    for (auto& [k, value] : list)
        if (k == key) return &value;
    return nullptr;
}

}  // namespace toolkit::win32
