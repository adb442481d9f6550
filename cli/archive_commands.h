// pakiet's package commands: build an installer from a stub and a package folder, verify an
// installer, and extract an installer's package the way the installation does.
#pragma once

#include "cli/commands.h"

namespace cli {

int runBuild(const Args& args);
int runVerify(const Args& args);
int runExtract(const Args& args);

}  // namespace cli
