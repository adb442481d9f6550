// The dry run of `pakiet install`: the installer's start-up and preparation without a
// window, in the current directory and with the same log, answering whether the Install
// button would become usable. Drive roots and the typed host folder can be given.
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

}  // namespace app
