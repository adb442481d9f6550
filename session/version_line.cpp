#include "platform/concat.h"
#include "session/version.h"

namespace session {

std::string versionLine() {
    return platform::concat({productName(), " ", productVersion(), " (commit ", productCommit(), ")"});
}

}  // namespace session
