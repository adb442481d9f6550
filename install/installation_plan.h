// What installing the package will do in the host folder as it stands: the record written
// before the first change (the files the package replaces or adds, the folders it makes, the
// user's catalog and its read-only mark), and every name the installation will use beside
// them, which must be free.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/host_layout.h"
#include "install/install_record.h"
#include "install/journal.h"
#include "platform/file_system.h"
#include "session/installer_state.h"
#include "session/log.h"

namespace install {

struct InstallationPlan {
    Journal journal;
    std::vector<std::string> temporaryNames;  // names the installation makes and removes
    std::vector<InstalledFile> files;         // what the install record will list
};

// Nothing after a level-1 message when the archive cannot be read or a member carries a
// name the installation uses itself.
std::optional<InstallationPlan> planInstallation(session::Log& log, platform::FileSystem& fs,
                                                 const session::InstallerState& state,
                                                 const host::HostLayout& layout);

}  // namespace install
