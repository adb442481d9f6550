#include "platform/system_error.h"

#include "platform/concat.h"

namespace platform {

SystemError::SystemError(SystemQuery query, const std::string& reason, const std::string& place)
    : std::runtime_error(concat({queryName(query), place.empty() ? "" : " from ", place, " (", reason, ")"})),
      query_(query), reason_(reason), place_(place) {}

const char* SystemError::queryName(SystemQuery query) {
    switch (query) {
        case SystemQuery::ProcessSnapshot: return "cannot take a process snapshot";
        case SystemQuery::ProcessList: return "cannot read the process list";
        case SystemQuery::ExecutablePath: return "cannot get the program's path";
        case SystemQuery::CurrentDirectory: return "cannot get the current directory";
    }
    return "system query failed";
}

}  // namespace platform
