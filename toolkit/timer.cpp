// Timer properties; the backend reschedules on every change.
#include "toolkit/timer.h"

namespace toolkit {

void Timer::setIntervalMs(int interval) {
    if (interval == intervalMs_) return;
    intervalMs_ = interval;
    changed();
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    changed();
}

void Timer::changed() {
    if (observer_) observer_->timerChanged(*this);
}

}  // namespace toolkit
