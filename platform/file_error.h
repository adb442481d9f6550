// The error a file operation throws: what was done (FileAction), the path, why the system
// refused in terms both systems share (FileFailure) and the system's own text, for the layers
// above to word in their users' language; what() is an English line for traces. Callers
// above the platform may also throw it with their own sentence.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

enum class FileAction { Open, Create, Read, Write, Size, Other };

// Why the system refused; each system maps its codes (errno, GetLastError) onto these, and
// what fits none is Other, told by the system's own text.
enum class FileFailure { NotFound, AccessDenied, InUse, DiskFull, Exists, Other };

class FileError : public std::runtime_error {
public:
    // Out of line, as they build the message: one copy for all throws.
    // A failure of the system: `reason` is its own message (in the system's language).
    FileError(FileAction action, const std::string& path, FileFailure failure, const std::string& reason);
    FileError(FileAction action, const std::string& path, const std::string& reason);
    // A caller's own sentence about `path` (action Other, no reason).
    FileError(const std::string& path, const std::string& message);

    FileAction action() const { return action_; }
    FileFailure failure() const { return failure_; }
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    static const char* actionName(FileAction action);

    FileAction action_ = FileAction::Other;
    FileFailure failure_ = FileFailure::Other;
    std::string path_;
    std::string reason_;
};

}  // namespace platform
