// The install's first check on the package archive: every member read once, its data
// inflated and its CRC-32 compared, before anything in the host folder is touched, so a
// download cut short or a flipped bit stops the installation while nothing has changed.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "session/installer_state.h"
#include "session/log.h"

namespace archive {

// What the installation will write, from the checked archive.
struct PackageSizes {
    std::uint64_t installed = 0;  // uncompressed bytes of every member the extraction writes
    std::uint64_t catalog = 0;    // uncompressed bytes of the package's catalog member
};

// True when the archive can be read and every member's data match their size and CRC-32;
// `sizes` is filled then. False after a level-1 message naming the member (or the file).
bool checkPackageIntact(session::Log& log, platform::FileSystem& fs, const session::InstallerState& state,
                        const std::string& sourceZip, PackageSizes& sizes);

}  // namespace archive
