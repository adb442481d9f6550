// Field values as the catalog code uses them: equality (numbers numerically, texts code unit
// by code unit with letter case significant, null equal only to null) and the text of a
// value (null gives the empty text).
#pragma once

#include <string>

#include "jet/value.h"

namespace catalog {

bool valuesEqual(const jet::Value& a, const jet::Value& b);

// "" for null, decimal for integers, "True"/"False" for yes/no, the text itself for texts.
std::string valueAsText(const jet::Value& value);

}  // namespace catalog
