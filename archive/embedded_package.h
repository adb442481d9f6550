// The opening block of the preparation sequence: reads the trailer of the running installer
// and copies the appended package archive out to the working folder as "packages.zip".
#pragma once

#include <string>

#include "platform/file_system.h"
#include "session/installer_state.h"
#include "session/log.h"

namespace archive {

// Copies the archive of `exePath` to state.sourceZip, going through "zip-offset.txt" in
// state.tmpDir (always removed again). An invalid offset field logs "Brak zawartego
// pakietu!" at level 1 and writes nothing; an offset of 0 or less writes nothing silently.
// File errors (the executable cannot be opened, a working file cannot be created, a failed
// copy) are thrown as platform::FileError.
void extractEmbeddedPackage(const std::string& exePath, const session::InstallerState& state, session::Log& log,
                            platform::FileSystem& fs);

}  // namespace archive
