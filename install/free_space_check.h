// The install's check that the host's drive can hold the installation: the package's
// uncompressed files plus room for the merged catalog and the catalog copies beside it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "session/log.h"

namespace install {

// Bytes an installation needs: the package's files, plus twice the larger of the user's and
// the package's catalog (the merged catalog holds at most both).
std::uint64_t bytesNeeded(std::uint64_t installed, std::uint64_t packageCatalog,
                          std::uint64_t userCatalog);

// "12,3 MB (12 897 484 B)": megabytes with a decimal comma, and the exact count.
std::string sizeText(std::uint64_t bytes);

// The drive a path lies on, as a user names it: "C:" for "C:\...", the path itself otherwise.
std::string driveOf(const std::string& path);

// True when the drive of the add-on folder `destinationDir` has `needed` bytes free, or when
// the system cannot tell (a trace line then); false after a level-1 message naming the drive
// and both sizes.
bool checkFreeSpace(session::Log& log, platform::FileSystem& fs, const std::string& destinationDir,
                    std::uint64_t needed);

}  // namespace install
