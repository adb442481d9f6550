#include "session/log.h"

#include "platform/concat.h"

namespace session {

void Log::info(std::int32_t lvl, std::initializer_list<std::string_view> pieces) {
    info(lvl, platform::concat(pieces));
}

}  // namespace session
