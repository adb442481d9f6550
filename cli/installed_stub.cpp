// Where the stubs installed with pakiet are, relative to pakiet itself.
#include "cli/installed_stub.h"

namespace fs = std::filesystem;

namespace cli {

bool isStubArchitecture(const std::string& text) { return text == "x86_64" || text == "i686"; }

std::vector<fs::path> stubFolders(const fs::path& executable) {
    const fs::path folder = executable.parent_path();
    return {folder, folder.parent_path() / "share" / "pakiet"};
}

std::optional<fs::path> findInstalledStub(const std::string& architecture, const fs::path& executable) {
    const fs::path name = "instalator-" + architecture + ".exe";
    for (const fs::path& folder : stubFolders(executable)) {
        std::error_code ec;
        if (fs::is_regular_file(folder / name, ec)) return folder / name;
    }
    return std::nullopt;
}

}  // namespace cli
