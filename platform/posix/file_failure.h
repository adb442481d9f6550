// errno values as the platform's shared failure kinds, and the FileError a failing call
// throws: the kind for the layers that word it, strerror's text for traces and for Other.
#pragma once

#include <string>

#include "platform/file_error.h"

namespace platform::posix {

FileFailure fileFailureOf(int error);
FileError fileError(FileAction action, const std::string& path, int error);

}  // namespace platform::posix
