// The Polish sentence for a picture or a window the toolkit's backend could not have,
// naming the file, picture, size or window concerned.
#pragma once

#include <string>

#include "toolkit/toolkit_error.h"

namespace engine_text {

std::string toolkitErrorText(const toolkit::ToolkitError& error);

}  // namespace engine_text
