// What stands for the logical drives on POSIX, in this order: "/", then the mount points of
// removable and extra media (under /media/, /run/media/ and /mnt/, as the mount table lists
// them), then the "drive_c" folders of the Wine prefixes in $WINEPREFIX and ~/.wine, each
// once, each ending with "/". Folders that do not exist are left out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

std::vector<std::string> driveRoots();

// Mount points under /media/, /run/media/ or /mnt/ in a mount table in the format of
// /proc/self/mounts (octal escapes such as "\040" for a blank decoded), in table order.
std::vector<std::string> mediaMountPoints(std::string_view mountTable);

}  // namespace platform::posix
