// The opening block of the preparation sequence: reads the trailer of the running installer
// and copies the appended package archive out to the working folder as "packages.zip".
#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "session/installer_state.h"
#include "session/log.h"

namespace archive {

// Copies the archive of `exePath` to state.sourceZip, going through "zip-offset.txt" in
// state.tmpDir (always removed again), and returns the copy still open: the caller holds it
// for the rest of the run (state.heldArchive). A file already at state.sourceZip is deleted
// first and the copy is made only where none is, so nothing planted there is reused.
// An invalid offset field logs "Brak zawartego pakietu!" at level 1 and writes nothing; an
// offset of 0 or less writes nothing silently. Without a copy of its own, an archive an
// earlier run left (debug mode, "NODELETE") is opened and returned instead, held from now on;
// nullptr when there is none or it cannot be opened (the reason at level 1).
// File errors (the executable cannot be opened, a working file cannot be created or an old
// archive deleted, a failed copy) are thrown as platform::FileError.
std::unique_ptr<platform::ReadableFile> extractEmbeddedPackage(const std::string& exePath,
                                                               const session::InstallerState& state,
                                                               session::Log& log, platform::FileSystem& fs);

}  // namespace archive
