// The usage text of every command and catalog verb, in one place: `--help` prints it on
// standard output and succeeds, a usage error prints what was wrong and the text on standard
// error and exits with 2.
#pragma once

#include <string>
#include <string_view>

#include "cli/commands.h"

namespace cli {

// "build", "verify", ..., "catalog", "catalog import", ...; empty for an unknown name.
std::string_view usageText(std::string_view command);

// True when the arguments ask for help (`--help` or `-h` among them).
bool asksForHelp(const Args& args);

// The command's usage on standard output; returns 0.
int printHelp(std::string_view command);

// "pakiet COMMAND: PROBLEM" and the command's usage on standard error; returns 2.
int usageError(std::string_view command, const std::string& problem);

}  // namespace cli
