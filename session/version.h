// The product's name and version (one home: project() in CMakeLists.txt and
// cmake/Version.cmake) and the commit it was built from, for `pakiet --version`, the logs'
// first lines and the version resources.
#pragma once

#include <string>
#include <string_view>

namespace session {

std::string_view productName();     // "Instalator pakietów CAD"
std::string_view productVersion();  // "1.0.0"
std::string_view productCommit();   // short hash, or "nieznany" outside a git tree

// "Instalator pakietów CAD 1.0.0 (commit 0123456789ab)": what every log says first, so that
// a log sent to support names the build that wrote it.
std::string versionLine();

}  // namespace session
