#include "app/install_paths.h"

#include "host/host_folder_text.h"
#include "platform/paths.h"

namespace app {

InstallPaths installPathsFor(const std::string& edit1Text, const std::string& packageName) {
    InstallPaths paths;
    paths.destinationDir =
        host::trimBlanks(edit1Text) + std::string(host::kAddOnFolderName) + platform::kSeparator;
    paths.catalogFolder = paths.destinationDir + packageName + platform::kSeparator;
    paths.destination = paths.catalogFolder + "dodatki.mdb";
    paths.old = paths.catalogFolder + "dodatki_old.mdb";
    paths.nw = paths.catalogFolder + "dodatki_new.mdb";
    return paths;
}

}  // namespace app
