// pakiet status: what the installer recorded in a host folder.
#pragma once

#include "cli/commands.h"

namespace cli {

// pakiet status HOST_FOLDER [PACKAGE]
int runStatus(const Args& args);

}  // namespace cli
