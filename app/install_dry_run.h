// `pakiet install` without a window: the installer's start-up and preparation in the current
// directory with the same log, then either the answer whether the Install button would become
// usable (dry run) or the installation itself, clicked as a user clicks it. Drive roots and
// the typed host folder can be given.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/system.h"
#include "toolkit/image_decoder.h"

namespace app {

struct DryRunOptions {
    std::string installer;                  // the installer executable with its package
    bool debug = false;                     // log level 2, as the "/d" switch gives
    std::vector<std::string> driveRoots;    // replace the system's drive roots when not empty
    std::optional<std::string> typedHost;   // typed into the folder field after preparation
};

// Prints the log box (the lines of the chosen level) to `out`. Returns 0 when Install would be
// enabled; otherwise 1, after writing the status label's last message (and any error report)
// to `err`. Close runs at the end, so working files go as they would after a real run.
int runInstallDryRun(const DryRunOptions& options, platform::FileSystem& files,
                     platform::System& system, toolkit::ImageDecoder* decoder, std::ostream& out,
                     std::ostream& err);

// Exit codes of the installation run.
inline constexpr int kExitInstalled = 0;          // finish state reached
inline constexpr int kExitInstallNotEnabled = 1;  // Install never became usable; nothing changed
inline constexpr int kExitInstallFailed = 3;      // failed; the user's catalog is as it was
inline constexpr int kExitCatalogLeftAside = 4;   // failed; not all was put back (the log names what)

// The preparation as in the dry run; when Install is enabled, the mouse enters the button
// and clicks its Hover picture through the dispatcher, then Close. Prints the log box to
// `out`; on any outcome but the finish state, the last level-1 message (and any error
// report) to `err`.
int runHeadlessInstall(const DryRunOptions& options, platform::FileSystem& files,
                       platform::System& system, toolkit::ImageDecoder* decoder, std::ostream& out,
                       std::ostream& err);

}  // namespace app
