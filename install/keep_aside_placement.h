// The extraction's placement during an installation: a file the package replaces is renamed
// aside (kept until the installation is committed, put back on failure) before the new data
// take its name; a file the package adds takes a name nobody holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/member_extraction.h"
#include "host/host_layout.h"
#include "install/journal.h"
#include "platform/file_system.h"

namespace install {

class KeepAsidePlacement : public archive::MemberPlacement {
public:
    // `journal` must outlive the placement: its names are looked up, not copied.
    KeepAsidePlacement(platform::FileSystem& fs, const host::HostLayout& layout, const Journal& journal);
    bool place(const std::string& partial, const std::string& target) override;

private:
    platform::FileSystem& fs_;
    const host::HostLayout& layout_;
    const JournalMembers& members_;
    std::vector<std::uint32_t> byPath_;  // positions in members_, in the order of their paths
};

}  // namespace install
