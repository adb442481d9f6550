// The one way the platform's files report a failing system call.
#pragma once

#include <string>

#include "platform/file_error.h"

namespace platform {

inline FileError fileError(FileAction action, const std::string& path, const std::string& reason) {
    return FileError(action, path, reason);
}

}  // namespace platform
