// Walks /proc once. A process may end while it is read; it is then simply not listed.
#include "platform/posix/process_list.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "platform/posix/posix_files.h"
#include "platform/system_error.h"

namespace platform::posix {

namespace {

bool allDigits(const char* text) {
    if (!*text) return false;
    for (; *text; ++text)
        if (*text < '0' || *text > '9') return false;
    return true;
}

std::string readLink(const std::string& path) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

std::string firstArgument(const std::string& cmdlinePath) {
    std::ifstream in(cmdlinePath, std::ios::binary);
    std::string argument;
    std::getline(in, argument, '\0');
    return argument;
}

}  // namespace

std::string executableFileName(std::string_view path) {
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.size() > kDeleted.size() && path.substr(path.size() - kDeleted.size()) == kDeleted)
        path.remove_suffix(kDeleted.size());
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::vector<ProcessEntry> processesFromProc() {
    const std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), &::closedir);
    if (!proc)
        throw SystemError(SystemQuery::ProcessList, errorText(errno), "/proc");
    std::vector<ProcessEntry> processes;
    while (dirent* entry = ::readdir(proc.get())) {
        if (!allDigits(entry->d_name)) continue;
        const std::string folder = std::string("/proc/") + entry->d_name;
        std::string name = executableFileName(readLink(folder + "/exe"));
        if (name.empty()) name = executableFileName(firstArgument(folder + "/cmdline"));
        if (name.empty()) continue;
        ProcessEntry process;
        process.id = static_cast<std::uint32_t>(std::stoul(entry->d_name));
        process.exeName = std::move(name);
        processes.push_back(std::move(process));
    }
    return processes;
}

}  // namespace platform::posix
