// The error a file operation throws: its message names the path and the system's reason.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

class FileError : public std::runtime_error {
public:
    FileError(const std::string& path, const std::string& message)
        : std::runtime_error(message), path_(path) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace platform
