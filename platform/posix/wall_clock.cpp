// The clock from clock_gettime's real-time clock.
#include <time.h>

#include "platform/wall_clock.h"

namespace platform {

double secondsSince1970() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace platform
