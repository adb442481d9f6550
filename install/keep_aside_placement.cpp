// Only what the record lists is placed, and never over a file: what appeared since the plan
// was made is somebody else's and fails the installation, which is then undone. The lookup
// compares each name as memberPath spells it below the add-on folder, without building paths.
#include "install/keep_aside_placement.h"

#include <algorithm>
#include <numeric>
#include <string_view>

#include "install/journal_replay.h"
#include "platform/concat.h"
#include "platform/paths.h"

namespace install {

namespace {

// A member name's byte as it appears in its path.
unsigned char pathByte(char c) {
    return static_cast<unsigned char>(c == '/' || c == '\\' ? platform::kSeparator : c);
}

// Orders the paths of two member names (or a name against a path's part below the add-on
// folder, which memberPath has already spelled: `rest`'s bytes are taken as they are).
int comparePaths(std::string_view name, std::string_view other, bool otherIsName) {
    const std::size_t common = std::min(name.size(), other.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char a = pathByte(name[i]);
        const unsigned char b = otherIsName ? pathByte(other[i]) : static_cast<unsigned char>(other[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    return name.size() < other.size() ? -1 : name.size() > other.size() ? 1 : 0;
}

// Heapsort of the member positions by path: O(n log n) for a package of 100,000 files, as
// std::sort, in a fraction of the code its instantiation brings into the installer. Equal paths
// may come in any order: the lookup visits all of them.
void sortByPath(std::vector<std::uint32_t>& order, const JournalMembers& members) {
    const auto less = [&](std::uint32_t a, std::uint32_t b) {
        return comparePaths(members[a].name, members[b].name, true) < 0;
    };
    const auto siftDown = [&](std::size_t root, std::size_t end) {
        for (std::size_t child = 2 * root + 1; child < end; root = child, child = 2 * root + 1) {
            if (child + 1 < end && less(order[child], order[child + 1])) ++child;
            if (!less(order[root], order[child])) return;
            std::swap(order[root], order[child]);
        }
    };
    for (std::size_t i = order.size() / 2; i-- > 0;) siftDown(i, order.size());
    for (std::size_t end = order.size(); end > 1;) {
        std::swap(order[0], order[--end]);
        siftDown(0, end);
    }
}

}  // namespace

KeepAsidePlacement::KeepAsidePlacement(platform::FileSystem& fs, const host::HostLayout& layout,
                                       const Journal& journal)
    : fs_(fs), layout_(layout), members_(journal.members), byPath_(journal.members.size()) {
    std::iota(byPath_.begin(), byPath_.end(), std::uint32_t{0});
    sortByPath(byPath_, members_);
}

bool KeepAsidePlacement::place(const std::string& partial, const std::string& target) {
    bool listed = target == layout_.destination;
    bool replaces = false;
    const std::string folder = memberPath(layout_, "");
    if (!listed && target.size() > folder.size() && target.compare(0, folder.size(), folder) == 0) {
        const std::string_view rest = std::string_view(target).substr(folder.size());
        auto at = std::lower_bound(byPath_.begin(), byPath_.end(), rest, [this](std::uint32_t i, std::string_view r) {
            return comparePaths(members_[i].name, r, false) < 0;
        });
        for (; at != byPath_.end() && comparePaths(members_[*at].name, rest, false) == 0; ++at) {
            listed = true;
            replaces = replaces || members_[*at].replaces;
        }
    }
    if (!listed) return false;
    if (replaces && !fs_.renameNoReplace(target, platform::concat({target, host::kAsideSuffix}))) return false;
    return fs_.renameNoReplace(partial, target);
}

}  // namespace install
