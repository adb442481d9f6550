// GetLastError codes as the platform's shared failure kinds, and the FileError a failing call
// throws: the kind for the layers that word it, the system's text for traces and for Other.
#pragma once

#include <windows.h>

#include <string>

#include "platform/file_error.h"

namespace platform::win32 {

FileFailure fileFailureOf(DWORD error);
FileError fileError(FileAction action, const std::string& path, DWORD error);

}  // namespace platform::win32
