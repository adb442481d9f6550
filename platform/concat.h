// One string from pieces, joined out of line. A chain of `a + b + c` builds a temporary per
// `+`, each with its own clean-up code at the call site; message-heavy code calls this instead.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

std::string concat(std::initializer_list<std::string_view> pieces);

}  // namespace platform
