#include "session/log.h"

#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace session {

void Log::info(std::int32_t lvl, std::initializer_list<std::string_view> pieces) {
    info(lvl, platform::concat(pieces));
}

void Log::infoPair(std::int32_t lvl, const char* before, int first, const char* between, int second,
                   const char* after) {
    info(lvl, platform::concat({before, platform::DecimalPiece(first), between, platform::DecimalPiece(second), after}));
}

}  // namespace session
