// The installer stubs that come with pakiet: the Debian package puts them in
// /usr/share/pakiet/ (../share/pakiet/ from the program), the Windows zip beside pakiet.exe.
// `pakiet build` takes one of them unless it is given a stub file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// "x86_64" (the default) and "i686" name the installed stubs; anything else is a path.
bool isStubArchitecture(const std::string& text);

// The folders searched for installed stubs, for `executable` (pakiet's own path).
std::vector<std::filesystem::path> stubFolders(const std::filesystem::path& executable);

// instalator-ARCH.exe in the first of stubFolders that holds it.
std::optional<std::filesystem::path> findInstalledStub(const std::string& architecture,
                                                       const std::filesystem::path& executable);

}  // namespace cli
