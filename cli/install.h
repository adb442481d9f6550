// pakiet install: the installer's start-up, preparation and installation without a window.
#pragma once

#include "cli/commands.h"

namespace cli {

// pakiet install INSTALLER [--dry-run] [--debug] [--drive-root DIR]... [--host DIR]
int runInstall(const Args& args);

}  // namespace cli
