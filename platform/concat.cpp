#include "platform/concat.h"

namespace platform {

std::string concat(std::initializer_list<std::string_view> pieces) {
    std::size_t size = 0;
    for (std::string_view piece : pieces) size += piece.size();
    std::string joined;
    joined.reserve(size);
    for (std::string_view piece : pieces) joined.append(piece);
    return joined;
}

}  // namespace platform
