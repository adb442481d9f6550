// pakiet run-headless: the installer without a window in the current directory.
#pragma once

#include "cli/commands.h"

namespace cli {

int runHeadlessCommand(const Args& args);

}  // namespace cli
