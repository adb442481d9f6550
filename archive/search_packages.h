// searchPackages: whether the working copy of the archive holds exactly one package folder;
// sets packageName when it does, and pack once the archive file was found.
#pragma once

#include "platform/file_system.h"
#include "platform/function_ref.h"
#include "session/installer_state.h"
#include "session/log.h"

namespace archive {

// Returns state.pack. `bnInstallSetDisable` puts the window's Install button into its
// disabled look; it is called whatever the outcome.
bool searchPackages(session::InstallerState& state, session::Log& log, platform::FileSystem& fs,
                    platform::FunctionRef<void()> bnInstallSetDisable);

}  // namespace archive
