// CheckRunApp: the running-application guard. Installing writes into the host's catalog
// folder, so it must not start while the host or any program taken for a CAD program runs;
// the guard scans the whole process snapshot and names the last conflicting program.
#pragma once

#include "platform/system.h"
#include "session/log.h"

namespace host {

// True when no conflicting process runs. False when one does (level-1 message naming the
// last one seen) or when the snapshot fails ("[BŁAD]" + the error's text at level 1).
bool CheckRunApp(session::Log& log, platform::System& system);

}  // namespace host
