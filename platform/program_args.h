// The program's command-line arguments as UTF-8 (on Windows taken from the wide command line).
#pragma once

#include <string>
#include <vector>

namespace platform {

using ProgramArgs = std::vector<std::string>;

// argv[0] first, then the arguments.
ProgramArgs programArguments(int argc, char** argv);

}  // namespace platform
