// A missing drive or share is a path not found; a write-protected medium refuses access.
#include "platform/win32/file_failure.h"

#include "platform/win32/wide.h"

namespace platform::win32 {

FileFailure fileFailureOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return FileFailure::NotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return FileFailure::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return FileFailure::InUse;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileFailure::DiskFull;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return FileFailure::Exists;
        default:
            return FileFailure::Other;
    }
}

FileError fileError(FileAction action, const std::string& path, DWORD error) {
    return FileError(action, path, fileFailureOf(error), systemMessage(error));
}

}  // namespace platform::win32
