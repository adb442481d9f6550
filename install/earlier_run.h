// What an installation finds left in the host by earlier runs, before it changes anything.
// An earlier installation's record says what it did: it is finished or undone first. Files
// under the installation's own names without a record prove nothing: they are never
// deleted, renamed over or taken for the user's catalog, only kept under a new name.
#pragma once

#include <string>
#include <vector>

#include "host/host_layout.h"
#include "platform/file_system.h"
#include "platform/function_ref.h"
#include "session/log.h"

namespace install {

// Finishes or undoes the installation a record in the package's catalog folder tells of.
// True when there was none or it is settled; false after a level-1 message (nothing more
// may change then).
bool settleEarlierInstallation(session::Log& log, platform::FileSystem& fs, const host::HostLayout& layout);

// Keeps every file at one of `reserved` (the temporary catalogs, and the set-aside and
// partial names of the files this installation will write) under a new name beside it, with
// a level-1 message for each. False, with nothing changed, after a level-1 message when the
// user's catalog could be one of them (a "dodatki_old.mdb" without "dodatki.mdb"), or when
// one cannot be moved.
// `reserved` gives each name to its visitor and stops when the visitor returns false.
using NameVisitor = platform::FunctionRef<bool(const std::string&)>;
bool keepUnprovenLeftovers(session::Log& log, platform::FileSystem& fs, const host::HostLayout& layout,
                           platform::FunctionRef<bool(NameVisitor)> reserved);

// "C:\x\dodatki_old (zachowany 1).mdb" for "C:\x\dodatki_old.mdb": the first such name not
// taken ("(zachowany 2)", ...); other names get the mark at the end.
std::string keptName(platform::FileSystem& fs, const std::string& path);

}  // namespace install
