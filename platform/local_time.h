// The local date and time as people read it in logs and records.
#pragma once

#include <string>

namespace platform {

// "YYYY-MM-DD HH:MM:SS" in the system's time zone; empty when the clock cannot be read.
std::string localDateTimeText();

}  // namespace platform
