// The product's version (one home: project() in CMakeLists.txt) and the commit it was built
// from, for `pakiet --version`, the log's first lines and the version resources.
#pragma once

#include <string_view>

namespace session {

std::string_view productVersion();  // "1.0.0"
std::string_view productCommit();   // short hash, or "nieznany" outside a git tree

}  // namespace session
