// A non-visual timer: while enabled it ticks every interval; a backend schedules the ticks and
// delivers them through the Dispatcher. Interval 1000 ms and enabled are the defaults.
#pragma once

#include <string>

#include "toolkit/event.h"

namespace toolkit {

class Timer;

class TimerObserver {
public:
    virtual ~TimerObserver() = default;
    virtual void timerChanged(Timer& timer) = 0;
};

class Timer {
public:
    explicit Timer(const char* name);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    int intervalMs() const { return intervalMs_; }
    void setIntervalMs(int interval);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    void setObserver(TimerObserver* observer) { observer_ = observer; }

    Event onTimer;  // through the Dispatcher only

private:
    void changed();

    std::string name_;
    int intervalMs_ = 1000;
    bool enabled_ = true;
    TimerObserver* observer_ = nullptr;
};

}  // namespace toolkit
