// The local time from the C library, in the system's time zone.
#include "platform/local_time.h"

#include <ctime>

namespace platform {

std::string localDateTimeText() {
    const std::time_t now = std::time(nullptr);
    // One thread: localtime's shared result is safe here.
    const std::tm* local = std::localtime(&now);
    char text[32] = "";
    if (local) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    return text;
}

}  // namespace platform
