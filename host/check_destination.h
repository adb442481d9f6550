// CheckDestination and CheckEdit: the folder field's validity rule (the add-on folder exists
// under the text as written) and the change handler that, for a valid folder, accepts it and
// runs the database access check.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/function_ref.h"
#include "platform/system.h"
#include "session/installer_state.h"
#include "session/log.h"

namespace host {

// True when `hostFolder` + "dodatki" is a folder. The text is taken as it is, untrimmed: it
// relies on ending with the separator, as every text the installer puts there does.
bool CheckDestination(session::Log& log, platform::FileSystem& files, const std::string& hostFolder);

// The change handler of the folder field. A valid folder sets `destination` and runs
// CheckInstallationEnabled; an invalid one changes nothing (only a trace line).
void CheckEdit(session::Log& log, session::InstallerState& state, platform::FileSystem& files,
               platform::System& system, const std::string& hostFolder,
               platform::FunctionRef<void()> bnInstallSetEnable);

}  // namespace host
