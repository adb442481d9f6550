// The system's clock as seconds since 1970-01-01 00:00:00 UTC, with their fraction. Asked of
// the system directly: std::chrono's clocks would bring the C runtime's gettimeofday and the
// C++ runtime's clock code into the installer for one reading.
#pragma once

namespace platform {

double secondsSince1970();

}  // namespace platform
