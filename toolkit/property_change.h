// The one shape of a property setter: store the new value only when it differs, so that the
// caller repaints (or reschedules) only for a real change.
#pragma once

#include <utility>

namespace toolkit {

// True when `value` differed from `property` and now stands in it.
template <typename T>
bool replaceIfDifferent(T& property, T value) {
    if (property == value) return false;
    property = std::move(value);
    return true;
}

}  // namespace toolkit
