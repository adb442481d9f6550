// Only what the record lists is placed, and never over a file: what appeared since the plan
// was made is somebody else's and fails the installation, which is then undone.
#include "install/keep_aside_placement.h"

#include "install/journal_replay.h"

namespace install {

KeepAsidePlacement::KeepAsidePlacement(platform::FileSystem& fs, const host::HostLayout& layout,
                                       const Journal& journal)
    : fs_(fs) {
    added_.insert(layout.destination);
    for (const JournalMember& member : journal.members)
        (member.replaces ? replaced_ : added_).insert(memberPath(layout, member.name));
}

bool KeepAsidePlacement::place(const std::string& partial, const std::string& target) {
    if (replaced_.count(target)) {
        if (!fs_.renameNoReplace(target, target + std::string(host::kAsideSuffix))) return false;
    } else if (!added_.count(target)) {
        return false;
    }
    return fs_.renameNoReplace(partial, target);
}

}  // namespace install
