#include "session/log.h"

#include "platform/concat.h"

namespace session {

void Log::info(std::int32_t lvl, std::initializer_list<std::string_view> pieces) {
    info(lvl, platform::concat(pieces));
}

void Log::infoPair(std::int32_t lvl, const char* before, int first, const char* between, int second,
                   const char* after) {
    info(lvl, platform::concat({before, std::to_string(first), between, std::to_string(second), after}));
}

}  // namespace session
