// A match key as a hashable text: two values get the same text exactly when the merge counts
// them equal (numbers numerically, texts code unit by code unit with letter case significant,
// null only equal to null), so hash lookups find what a record-by-record search finds.
#pragma once

#include <string>

#include "jet/value.h"

namespace catalog {

// Replaces `out` with the key of `value` (its memory reused: the merge asks for a key per record).
void writeMatchKey(const jet::Value& value, std::string& out);

inline std::string matchKey(const jet::Value& value) {
    std::string key;
    writeMatchKey(value, key);
    return key;
}

}  // namespace catalog
