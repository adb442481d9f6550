// The paths of an installation, built once from the folder field's text and the package's
// name: the add-on folder the archive is extracted into, the package's catalog folder, and
// the three catalog roles (destination, old, new) in it.
#pragma once

#include <string>

namespace app {

struct InstallPaths {
    std::string destinationDir;  // host folder (trimmed) + "dodatki" + separator
    std::string catalogFolder;   // destinationDir + packageName + separator
    std::string destination;     // catalogFolder + "dodatki.mdb"
    std::string old;             // catalogFolder + "dodatki_old.mdb"
    std::string nw;              // catalogFolder + "dodatki_new.mdb"
};

// `edit1Text` is the folder field's text as it stands (ending with the separator).
InstallPaths installPathsFor(const std::string& edit1Text, const std::string& packageName);

}  // namespace app
