// What installing the package will do in the host folder as it stands: the record written
// before the first change (the files the package replaces or adds, the folders it makes, the
// user's catalog and its read-only mark), and every name the installation will use beside
// them, which must be free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/host_layout.h"
#include "install/install_record.h"
#include "install/journal.h"
#include "platform/file_system.h"
#include "platform/function_ref.h"
#include "session/installer_state.h"
#include "session/log.h"

namespace install {

struct MemberCheck {
    std::uint64_t size = 0;
    std::uint32_t crc32 = 0;
};

// Per member a name in the record and a size and CRC beside it: the temporary names and the
// install record's list are made from these when they are needed, not kept.
struct InstallationPlan {
    Journal journal;
    std::vector<MemberCheck> checks;  // of journal.members, in their order
    // The archive carries the package's catalog, extracted after this many journal members.
    std::optional<std::size_t> catalogAfter;
};

// Nothing after a level-1 message when the archive cannot be read or a member carries a
// name the installation uses itself.
std::optional<InstallationPlan> planInstallation(session::Log& log, platform::FileSystem& fs,
                                                 const session::InstallerState& state,
                                                 const host::HostLayout& layout);

// Gives `visit` every name the installation makes and removes, in the extraction's order:
// each file's temporary name and, for a file it replaces, the name the old one waits under,
// then the temporary catalogs. Stops, with false, when `visit` returns false.
bool forEachTemporaryName(const InstallationPlan& plan, const host::HostLayout& layout,
                          platform::FunctionRef<bool(const std::string&)> visit);

// What the install record lists: every file the plan writes, with its size and CRC-32.
std::vector<InstalledFile> installedFiles(const InstallationPlan& plan);

}  // namespace install
