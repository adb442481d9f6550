// The one shape of a property setter: store the new value only when it differs, so that the
// caller repaints (or reschedules) only for a real change.
#pragma once

#include <utility>

namespace toolkit {

// True when `value` differed from `property` and now stands in it. The value is forwarded, so
// a setter that takes its argument by value moves it in once, with no temporary between.
template <typename T, typename Value>
bool replaceIfDifferent(T& property, Value&& value) {
    if (property == value) return false;
    property = std::forward<Value>(value);
    return true;
}

}  // namespace toolkit
