// The one command-line switch: the first argument turns on debug mode when it is "/d",
// "/debug", "d" or "debug" in any ASCII letter case.
#pragma once

#include <string>
#include <vector>

namespace app {

bool isDebugSwitch(const std::vector<std::string>& args);

}  // namespace app
