// Renaming without ever replacing the target on POSIX: renameat2 with RENAME_NOREPLACE, and
// where a file system refuses that flag, a hard link to the new name and removal of the old.
#pragma once

#include <string>

namespace platform::posix {

bool renameNoReplace(const std::string& from, const std::string& to);

// The fallback on its own (public for tests): link-then-unlink for files; for folders, which
// cannot be linked, a rename after checking that the target is absent.
bool renameByLinking(const std::string& from, const std::string& to);

}  // namespace platform::posix
