// The debug switch: only the first argument counts, compared whole after folding A-Z.
#include "app/debug_switch.h"

namespace app {

bool isDebugSwitch(const std::vector<std::string>& args) {
    if (args.empty()) return false;
    std::string first = args.front();
    for (char& c : first)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return first == "/d" || first == "/debug" || first == "d" || first == "debug";
}

}  // namespace app
