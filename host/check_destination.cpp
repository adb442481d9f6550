// The folder rule and the field's change handler.
#include "host/check_destination.h"

#include "host/check_installation_enabled.h"
#include "host/host_folder_text.h"

namespace host {

bool CheckDestination(session::Log& log, platform::FileSystem& files, const std::string& hostFolder) {
    const std::string addOnFolder = hostFolder + std::string(kAddOnFolderName);
    log.info(2, {"Sprawdzamy folder instalacji : ", addOnFolder});
    if (files.folderExists(addOnFolder)) {
        log.info(2, {"Folder instalacji poprawny : ", addOnFolder});
        return true;
    }
    log.info(2, {"Błędny folder instalacji : ", addOnFolder});
    return false;
}

void CheckEdit(session::Log& log, session::InstallerState& state, platform::FileSystem& files,
               platform::System& system, const std::string& hostFolder,
               platform::FunctionRef<void()> bnInstallSetEnable) {
    if (!CheckDestination(log, files, hostFolder)) return;
    state.destination = true;
    CheckInstallationEnabled(log, state, files, system, hostFolder, bnInstallSetEnable);
}

}  // namespace host
