// What a query of the running system throws when the system refuses it: which query, where
// it looked (a folder such as /proc, or nothing) and the system's own text, for the layers
// above to word; what() is an English line for traces.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

enum class SystemQuery {
    ProcessSnapshot,   // no snapshot of the processes could be taken
    ProcessList,       // the snapshot or the process folder could not be read
    ExecutablePath,    // the running program's path
    CurrentDirectory,  // the process's current directory
};

class SystemError : public std::runtime_error {
public:
    // Out of line, as it builds the message: one copy for all throws.
    SystemError(SystemQuery query, const std::string& reason, const std::string& place = "");

    SystemQuery query() const { return query_; }
    const std::string& reason() const { return reason_; }
    const std::string& place() const { return place_; }

private:
    static const char* queryName(SystemQuery query);

    SystemQuery query_;
    std::string reason_;
    std::string place_;
};

}  // namespace platform
