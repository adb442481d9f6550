// Timer properties; the backend reschedules on every change.
#include "toolkit/timer.h"

#include "toolkit/property_change.h"

namespace toolkit {

Timer::Timer(const char* name) : name_(name) {}

void Timer::setIntervalMs(int interval) {
    if (replaceIfDifferent(intervalMs_, interval)) changed();
}

void Timer::setEnabled(bool enabled) {
    if (replaceIfDifferent(enabled_, enabled)) changed();
}

void Timer::changed() {
    if (observer_) observer_->timerChanged(*this);
}

}  // namespace toolkit
