// Plain-text path joining.
#include "platform/paths.h"

namespace platform {

std::string withTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kSeparator) folder += kSeparator;
    return folder;
}

}  // namespace platform
