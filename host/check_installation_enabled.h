// CheckInstallationEnabled: the database access check, the only way the Install button
// becomes usable. It proves the package's catalog in the host is not held open by renaming
// it aside and back, then runs the running-application guard.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/function_ref.h"
#include "platform/system.h"
#include "session/installer_state.h"
#include "session/log.h"

namespace host {

// `hostFolder` is the folder field's text (trimmed here). `bnInstallSetEnable` is called
// only when every test passes; nothing here ever disables the button.
void CheckInstallationEnabled(session::Log& log, const session::InstallerState& state,
                              platform::FileSystem& files, platform::System& system,
                              const std::string& hostFolder,
                              platform::FunctionRef<void()> bnInstallSetEnable);

}  // namespace host
