// The log's threshold, one type from the command line to every layer that traces: level-1
// lines (messages to the user) are always kept, level-2 lines (traces) only in debug mode.
#pragma once

#include <cstdint>

namespace session {

enum class LogLevel : std::int32_t {
    Normal = 1,  // user messages only
    Debug = 2,   // user messages and trace lines
};

// Whether a line of level `lvl` passes the threshold.
constexpr bool passes(std::int32_t lvl, LogLevel threshold) {
    return lvl <= static_cast<std::int32_t>(threshold);
}

}  // namespace session
