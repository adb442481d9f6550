// The installer process from its command line to its exit code, whatever the platform: the
// help and usage answers, the log file, then either the silent installation (no window at
// all) or the window. The platform's entry supplies what only it has.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "toolkit/backend.h"
#include "toolkit/image_decoder.h"

namespace app {

class InstallerShell {
public:
    virtual ~InstallerShell() = default;
    // A message box with the installer's title; never called in silent mode.
    virtual void showMessage(std::string_view text, bool isError) = 0;
    // The window's backend, made only when the window is to be shown.
    virtual std::unique_ptr<toolkit::Backend> makeWindowBackend() = 0;
    // The picture decoder of the silent run (the cover is read there too).
    virtual toolkit::ImageDecoder* decoder() = 0;
    // "YYYY-MM-DD HH:MM:SS" for the log file's run header.
    virtual std::string dateTimeText() = 0;
};

// `options` as readCommandLine read them. Returns the exit code (exit_codes.h).
int runInstallerProcessWith(const InstallerOptions& options, platform::FileSystem& files,
                            platform::System& system, InstallerShell& shell);

// The same from the arguments without the program name.
int runInstallerProcess(const std::vector<std::string>& args, platform::FileSystem& files,
                        platform::System& system, InstallerShell& shell);

}  // namespace app
