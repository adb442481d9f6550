// A match key as a hashable text: two values get the same text exactly when the merge counts
// them equal (numbers numerically, texts code unit by code unit with letter case significant,
// null only equal to null), so hash lookups find what a record-by-record search finds.
#pragma once

#include <string>

#include "jet/value.h"

namespace catalog {

std::string matchKey(const jet::Value& value);

}  // namespace catalog
