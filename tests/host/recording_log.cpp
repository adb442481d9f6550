#include "tests/host/recording_log.h"

#include "platform/paths.h"

namespace hosttest {

std::string nativePath(std::string path) {
    for (char& c : path)
        if (c == '\\') c = platform::kSeparator;
    return path;
}

}  // namespace hosttest
