// Drive roots on POSIX. The host program runs on Windows, so the useful places are media a
// Windows disk may be mounted on and the C: drives of Wine prefixes.
#include "platform/posix/drive_roots.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform::posix {

namespace {

std::string decodeOctalEscapes(std::string_view field) {
    std::string out;
    const auto digit = [&](std::size_t k) { return field[k] >= '0' && field[k] <= '7'; };
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && digit(i + 1) && digit(i + 2) &&
            digit(i + 3)) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
            continue;
        }
        out += field[i];
    }
    return out;
}

bool startsWith(const std::string& text, std::string_view prefix) {
    return text.size() > prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool isFolder(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::string readWholeFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::vector<std::string> mediaMountPoints(std::string_view mountTable) {
    std::vector<std::string> points;
    std::istringstream lines{std::string(mountTable)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint;
        if (!(fields >> device >> mountPoint)) continue;
        mountPoint = decodeOctalEscapes(mountPoint);
        if (startsWith(mountPoint, "/media/") || startsWith(mountPoint, "/run/media/") ||
            startsWith(mountPoint, "/mnt/"))
            points.push_back(mountPoint);
    }
    return points;
}

std::vector<std::string> driveRoots() {
    std::vector<std::string> candidates{"/"};
    for (std::string& point : mediaMountPoints(readWholeFile("/proc/self/mounts")))
        candidates.push_back(std::move(point));
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        candidates.push_back(withSlash(prefix) + "drive_c");
    if (const char* home = std::getenv("HOME"); home && *home)
        candidates.push_back(withSlash(home) + ".wine/drive_c");

    std::vector<std::string> roots;
    for (const std::string& candidate : candidates) {
        std::string root = withSlash(candidate);
        if (isFolder(root) && std::find(roots.begin(), roots.end(), root) == roots.end())
            roots.push_back(std::move(root));
    }
    return roots;
}

}  // namespace platform::posix
