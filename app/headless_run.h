// A run of the installer without a window, in the current directory: start-up, the timer's
// first tick, the log box printed, then Close. Used by `pakiet run-headless` and the demo.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/system.h"
#include "toolkit/image_decoder.h"

namespace app {

// Prints every line of the log box, then any error report; returns 0, or 1 when an error
// report was made. `decoder` reads the cover picture (none: loading a picture fails).
int runHeadless(platform::FileSystem& files, platform::System& system,
                const std::vector<std::string>& args, std::ostream& out,
                toolkit::ImageDecoder* decoder = nullptr);

}  // namespace app
