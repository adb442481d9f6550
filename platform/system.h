// What the installer asks of the running system and tests replace with fakes: drive roots,
// the process snapshot, the executable's path, the current directory and the screen size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/system_error.h"

namespace platform {

struct ProcessEntry {
    std::uint32_t id = 0;
    // The full executable file name without folder ("CAD Pro 2.0.exe" on Windows, the whole
    // name of the program file on POSIX), UTF-8.
    std::string exeName;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

class System {
public:
    virtual ~System() = default;
    // Roots of the local drives in the order the system gives them, each ending with the
    // separator ("C:\", "D:\"; on POSIX see platform/posix/drive_roots.h).
    virtual std::vector<std::string> driveRoots() = 0;
    // The running processes; throws SystemError when no snapshot can be taken.
    virtual std::vector<ProcessEntry> processSnapshot() = 0;
    // Full path of the running executable (throws SystemError when unknown).
    virtual std::string executablePath() = 0;
    // The process's current directory, without a trailing separator (except a bare root);
    // throws SystemError when the system cannot tell it.
    virtual std::string currentDirectory() = 0;
    // Width and height of the primary screen in pixels (the whole screen, not the work area).
    virtual ScreenSize primaryScreenSize() = 0;
};

// The running system.
System& realSystem();

}  // namespace platform
