// Folder-name masks with '*' (any run) and '?' (one character); ASCII letters match without
// case, every other character exactly. Used for listing folders on every platform alike.
#pragma once

#include <string_view>

namespace platform {

bool matchesMask(std::string_view name, std::string_view mask);

}  // namespace platform
