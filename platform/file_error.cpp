#include "platform/file_error.h"

#include "platform/concat.h"

namespace platform {

FileError::FileError(FileAction action, const std::string& path, FileFailure failure, const std::string& reason)
    : std::runtime_error(concat({actionName(action), path, " (", reason, ")"})), action_(action),
      failure_(failure), path_(path), reason_(reason) {}

FileError::FileError(FileAction action, const std::string& path, const std::string& reason)
    : FileError(action, path, FileFailure::Other, reason) {}

FileError::FileError(const std::string& path, const std::string& message)
    : std::runtime_error(message), path_(path) {}

const char* FileError::actionName(FileAction action) {
    switch (action) {
        case FileAction::Open: return "cannot open ";
        case FileAction::Create: return "cannot create ";
        case FileAction::Read: return "cannot read ";
        case FileAction::Write: return "cannot write ";
        case FileAction::Size: return "cannot get the size of ";
        case FileAction::Other: break;
    }
    return "file error on ";
}

}  // namespace platform
