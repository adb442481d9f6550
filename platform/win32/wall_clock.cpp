// The clock from the system time: 100-nanosecond ticks since 1601-01-01.
#include <windows.h>

#include <cstdint>

#include "platform/wall_clock.h"

namespace platform {

double secondsSince1970() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = std::uint64_t(now.dwHighDateTime) << 32 | now.dwLowDateTime;
    return static_cast<double>(ticks) / 1e7 - 11644473600.0;
}

}  // namespace platform
