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
    SystemError(SystemQuery query, const std::string& reason, const std::string& place = "")
        : std::runtime_error(queryName(query) + (place.empty() ? "" : " from " + place) + " (" + reason + ")"),
          query_(query), reason_(reason), place_(place) {}

    SystemQuery query() const { return query_; }
    const std::string& reason() const { return reason_; }
    const std::string& place() const { return place_; }

private:
    static std::string queryName(SystemQuery query) {
        switch (query) {
            case SystemQuery::ProcessSnapshot: return "cannot take a process snapshot";
            case SystemQuery::ProcessList: return "cannot read the process list";
            case SystemQuery::ExecutablePath: return "cannot get the program's path";
            case SystemQuery::CurrentDirectory: return "cannot get the current directory";
        }
        return "system query failed";
    }

    SystemQuery query_;
    std::string reason_;
    std::string place_;
};

}  // namespace platform
