// The installer state shared by the subsystems: the main unit's values and the window's
// fields, gathered in one object so that every run (and every test) starts fresh.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "session/log_level.h"

namespace session {

struct InstallerState {
    // Values of the main unit: zero, false or empty at program start.
    LogLevel log_level = LogLevel::Normal;  // set from the command line at window creation
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

    // The working copies, held open from their making to the end of the run (or to Close's
    // clean-up): on Windows no other program may write, rename or delete them meanwhile, and
    // every later read of the archive goes through this handle, never through the path, so a
    // file put in its place (POSIX) is never read.
    std::unique_ptr<platform::ReadableFile> heldArchive;  // at sourceZip
    std::unique_ptr<platform::ReadableFile> heldCover;    // at tmpDir + cover

    // The held archive when `path` names it; nullptr otherwise.
    platform::ReadableFile* heldArchiveAt(const std::string& path) const {
        return heldArchive && heldArchive->path() == path ? heldArchive.get() : nullptr;
    }
    // Closes the working copies, as their deletion needs on Windows.
    void releaseWorkingCopies() {
        heldArchive.reset();
        heldCover.reset();
    }
};

}  // namespace session
