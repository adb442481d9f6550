// The installer state shared by the subsystems: the main unit's values and the window's
// fields, gathered in one object so that every run (and every test) starts fresh.
#pragma once

#include <cstdint>
#include <string>

namespace session {

struct InstallerState {
    // Values of the main unit: zero, false or empty at program start.
    std::int32_t log_level = 0;  // 1 normal mode, 2 debug mode
    bool formCover = false;      // the package cover is on the window
    bool pack = false;           // the package archive is present and was searched
    bool destination = false;    // a host folder has been proposed or accepted
    std::string fileZip;         // "packages.zip"
    std::string sourceZip;       // tmpDir + fileZip
    std::string packageName;     // the one package folder of the archive

    // Fields of the window.
    std::string tmpDir;     // the working folder, ending with the separator
    std::string strFolder;  // the folder the user last chose
    std::string cover;      // "cover.jpg"
};

}  // namespace session
