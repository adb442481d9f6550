// A file copied through a FileSystem, so that every write of the copy is one of its
// operations (and fails where a test injects a fault).
#pragma once

#include <string>

#include "platform/file_system.h"

namespace platform {

// Copies `from` to `to`, replacing a file at `to`. Throws FileError; a partial copy may be
// left at `to` for the caller to delete.
void copyFile(FileSystem& files, const std::string& from, const std::string& to);

}  // namespace platform
