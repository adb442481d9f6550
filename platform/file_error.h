// The error a file operation throws: what was done (FileAction), the path and the system's
// own reason, for the layers above to word in their users' language; what() is an English
// line for traces. Callers above the platform may also throw it with their own sentence.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

enum class FileAction { Open, Create, Read, Write, Size, Other };

class FileError : public std::runtime_error {
public:
    // A failure of the system: `reason` is its own message (in the system's language).
    FileError(FileAction action, const std::string& path, const std::string& reason)
        : std::runtime_error(actionName(action) + path + " (" + reason + ")"), action_(action),
          path_(path), reason_(reason) {}
    // A caller's own sentence about `path` (action Other, no reason).
    FileError(const std::string& path, const std::string& message)
        : std::runtime_error(message), path_(path) {}

    FileAction action() const { return action_; }
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    static std::string actionName(FileAction action) {
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

    FileAction action_ = FileAction::Other;
    std::string path_;
    std::string reason_;
};

}  // namespace platform
