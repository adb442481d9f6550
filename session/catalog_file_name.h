// The catalog's file name, one fact shared by the package and the host: a package carries its
// catalog as "<package folder>\dodatki.mdb" (archive/package_folders.h), and the host keeps
// each package's catalog under the same name in its add-on folder (host/host_layout.h).
// Exactly these lower-case letters: "Dodatki.mdb" is no catalog.
#pragma once

#include <string_view>

namespace session {

inline constexpr std::string_view kCatalogFileName = "dodatki.mdb";

}  // namespace session
