// The POSIX System. Drive roots and processes are in drive_roots.h and process_list.h.
// There is no screen to ask without a display library; the size is taken from
// LUMOR_SCREEN_SIZE ("1280x800", for tests and headless runs) or is 1920 x 1080.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "platform/posix/drive_roots.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/process_list.h"
#include "platform/system.h"

namespace platform {

namespace {

constexpr ScreenSize kDefaultScreen{1920, 1080};

// "WxH" with positive numbers, or the default.
ScreenSize screenSizeFrom(const char* text) {
    if (!text) return kDefaultScreen;
    char* end = nullptr;
    const long width = std::strtol(text, &end, 10);
    if (end == text || (*end != 'x' && *end != 'X')) return kDefaultScreen;
    const char* heightText = end + 1;
    const long height = std::strtol(heightText, &end, 10);
    if (end == heightText || *end != '\0') return kDefaultScreen;
    if (width <= 0 || height <= 0 || width > 100000 || height > 100000) return kDefaultScreen;
    return ScreenSize{static_cast<int>(width), static_cast<int>(height)};
}

class PosixSystem : public System {
public:
    std::vector<std::string> driveRoots() override { return posix::driveRoots(); }
    std::vector<ProcessEntry> processSnapshot() override { return posix::processesFromProc(); }
    std::string executablePath() override {
        std::string path(256, '\0');
        for (;;) {
            const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
            if (length < 0)
                throw SystemError(SystemQuery::ExecutablePath, posix::errorText(errno));
            if (static_cast<std::size_t>(length) < path.size()) {
                path.resize(static_cast<std::size_t>(length));
                return path;
            }
            path.resize(path.size() * 2);
        }
    }
    std::string currentDirectory() override {
        std::string path(256, '\0');
        while (!::getcwd(path.data(), path.size())) {
            if (errno != ERANGE)
                throw SystemError(SystemQuery::CurrentDirectory, posix::errorText(errno));
            path.resize(path.size() * 2);
        }
        path.resize(path.find('\0'));
        return path;
    }
    ScreenSize primaryScreenSize() override {
        return screenSizeFrom(std::getenv("LUMOR_SCREEN_SIZE"));
    }
};

}  // namespace

System& realSystem() {
    static PosixSystem instance;
    return instance;
}

}  // namespace platform
