// The sub-commands of pakiet. Each takes the arguments after its own name and returns the
// process exit code: 0 success, 1 a problem found in the input, 2 a usage error.
#pragma once

#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const Args& args);
};

// Every command pakiet knows, in the order `pakiet help` lists them.
const std::vector<Command>& commands();

}  // namespace cli
