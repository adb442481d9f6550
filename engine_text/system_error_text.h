// The Polish sentence for a query of the running system that failed (the process list, the
// program's path, the current directory), with the system's own reason in parentheses.
#pragma once

#include <string>

#include "platform/system_error.h"

namespace engine_text {

std::string systemErrorText(const platform::SystemError& error);

}  // namespace engine_text
