// What an installation finds in the package's catalog folder before it changes anything,
// and the leftovers of an installation that did not finish, cleared so that this one can
// run: the user's catalog is "dodatki.mdb", or "dodatki_old.mdb" when an earlier run moved
// it aside and stopped before its merge succeeded.
#pragma once

#include <cstdint>

#include "app/install_paths.h"
#include "platform/file_system.h"
#include "session/log.h"

namespace app {

enum class CatalogAtStart {
    AtDestination,       // the user's catalog is "dodatki.mdb": move it aside (step 8)
    AsideFromEarlierRun, // "dodatki_old.mdb" is the user's catalog; it stays where it is
    None,                // no catalog of this package yet: a first installation
    Blocked,             // a leftover could not be cleared; a level-1 message says which
};

// Bytes of the user's catalog wherever it is (0 when there is none).
std::uint64_t userCatalogSize(platform::FileSystem& fs, const InstallPaths& paths);

// Clears leftovers of an interrupted run and tells where the user's catalog is:
// - a "dodatki_new.mdb" is only ever the package's catalog moved aside, and goes;
// - with "dodatki_old.mdb" present, whatever is at "dodatki.mdb" is the package's or an
//   unfinished merge, which the extraction replaces;
// - "dodatki_new.mdb" without "dodatki_old.mdb" marks a first installation stopped during
//   its merge: the "dodatki.mdb" beside it is that unfinished merge and goes too.
CatalogAtStart clearInterruptedInstall(session::Log& log, platform::FileSystem& fs, const InstallPaths& paths);

}  // namespace app
