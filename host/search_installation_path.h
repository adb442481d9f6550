// searchInstallationPath: looks for installations of the host program in every drive root's
// maker folder, proposes one in the folder field and shows the field with its caption.
#pragma once

#include "platform/file_system.h"
#include "platform/system.h"
#include "session/installer_state.h"
#include "session/log.h"
#include "toolkit/control.h"
#include "toolkit/edit.h"

namespace host {

// Returns `destination`: true when an installation was found and proposed (its add-on folder
// need not exist). The field's change handler runs inside the proposal's assignment.
bool searchInstallationPath(session::Log& log, session::InstallerState& state,
                            platform::FileSystem& files, platform::System& system,
                            toolkit::Edit& Edit1, toolkit::Control& StaticText1);

}  // namespace host
