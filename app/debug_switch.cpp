// The debug switch: only the first argument counts, compared whole after folding A-Z.
#include "app/debug_switch.h"

#include "platform/ascii_case.h"

namespace app {

bool isDebugSwitch(const std::vector<std::string>& args) {
    if (args.empty()) return false;
    const std::string first = platform::asciiLowered(args.front());
    return first == "/d" || first == "/debug" || first == "d" || first == "debug";
}

}  // namespace app
