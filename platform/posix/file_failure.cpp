// A folder opened as a file counts as access denied, as Windows reports it.
#include "platform/posix/file_failure.h"

#include <cerrno>

#include "platform/posix/posix_files.h"

namespace platform::posix {

FileFailure fileFailureOf(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return FileFailure::NotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return FileFailure::AccessDenied;
        case ETXTBSY:
        case EBUSY:
            return FileFailure::InUse;
        case ENOSPC:
        case EDQUOT:
            return FileFailure::DiskFull;
        case EEXIST:
            return FileFailure::Exists;
        default:
            return FileFailure::Other;
    }
}

FileError fileError(FileAction action, const std::string& path, int error) {
    return FileError(action, path, fileFailureOf(error), errorText(error));
}

}  // namespace platform::posix
