// What the record of an installation allows: undoing it (the files set aside put back, the
// files it added removed, the user's catalog back at its name) or finishing it once the
// merged catalog is checked (the set-aside files and temporary catalogs removed). The same
// steps serve a failure in this run and an interruption found by the next run.
#pragma once

#include <string>
#include <string_view>

#include "host/host_layout.h"
#include "install/journal.h"
#include "platform/file_system.h"
#include "session/log.h"

namespace install {

// Puts the host folder back as it was before the recorded installation and removes the
// record. True when everything is back; otherwise false after a level-1 message for each
// file that could not be restored, and the record stays for the next run.
bool undoInstallation(session::Log& log, platform::FileSystem& fs, const host::HostLayout& layout,
                      const Journal& journal);

// Removes what a committed installation no longer needs, gives the merged catalog the
// user's read-only mark back and removes the record. False after a level-1 message for each
// file that could not be removed (the record then stays, so the next run finishes it).
bool finishInstallation(session::Log& log, platform::FileSystem& fs, const host::HostLayout& layout,
                        const Journal& journal);

// Deletes a file this installation manages, clearing its read-only mark first (Windows
// refuses to delete a marked file). False after a level-1 message naming it.
bool deleteOwnFile(session::Log& log, platform::FileSystem& fs, const std::string& path);

// Removes the folders the record says the installation made, deepest first, where empty.
void removeCreatedFolders(session::Log& log, platform::FileSystem& fs, const Journal& journal);

// The path of a member's file in the host.
std::string memberPath(const host::HostLayout& layout, std::string_view memberName);

}  // namespace install
