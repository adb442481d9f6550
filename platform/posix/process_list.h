// The running processes from /proc, named by the full file name of their executable: the
// target of /proc/PID/exe without its folder, or where that link cannot be read (another
// user's process) the file part of argv[0] from /proc/PID/cmdline. The kernel's `comm` is
// never used, since it is cut to 15 characters. Processes with neither (kernel threads,
// zombies) are left out: they run no program file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/system.h"

namespace platform::posix {

std::vector<ProcessEntry> processesFromProc();

// The file part of a path; a link target of a deleted file loses its " (deleted)" mark.
std::string executableFileName(std::string_view path);

}  // namespace platform::posix
