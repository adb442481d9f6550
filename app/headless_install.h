// The installation without a window, as `pakiet install` and the silent installer (/S) run
// it: the installer's start-up and preparation in the current directory with the same log,
// then either the answer whether the Install button would become usable (dry run) or the
// installation itself, clicked as a user clicks it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/exit_codes.h"
#include "app/log_file.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "session/log_level.h"
#include "toolkit/image_decoder.h"

namespace app {

// Where a headless run prints its lines: pakiet's console, a test's buffer, or nowhere (the
// silent installer, whose log file has them all). Not a stream: the stub carries no iostreams.
class TextOut {
public:
    virtual ~TextOut() = default;
    virtual void line(std::string_view text) = 0;
};

// Told the gauge's percentage whenever it changes during the installation (pakiet's progress
// line on a terminal).
class ProgressOut {
public:
    virtual ~ProgressOut() = default;
    virtual void percent(int done) = 0;
};

struct HeadlessInstallOptions {
    std::string installer;                  // the installer executable with its package
    session::LogLevel logLevel = session::LogLevel::Normal;
    std::vector<std::string> driveRoots;    // replace the system's drive roots when not empty
    std::optional<std::string> typedHost;   // typed into the folder field after preparation
    std::optional<std::string> givenHost;   // the host folder instead of the search (/D=)
    LogFile* logFile = nullptr;             // where the log is copied to (/LOG=)
    ProgressOut* progress = nullptr;        // told the gauge's changes
};

// Prints the log box (the lines of the chosen level) to `out`. Returns 0 when Install would be
// enabled; otherwise 1, after writing the status label's last message (and any error report)
// to `err`. Close runs at the end, so working files go as they would after a real run.
int runInstallDryRun(const HeadlessInstallOptions& options, platform::FileSystem& files,
                     platform::System& system, toolkit::ImageDecoder* decoder, TextOut& out,
                     TextOut& err);

// The preparation as in the dry run; when Install is enabled, the mouse enters the button
// and clicks its Hover picture through the dispatcher, then Close. Prints the log box to
// `out`; on any outcome but the finish state, the last level-1 message (and any error
// report) to `err`, and the log file gets the same. Returns one of the exit codes.
int runHeadlessInstall(const HeadlessInstallOptions& options, platform::FileSystem& files,
                       platform::System& system, toolkit::ImageDecoder* decoder, TextOut& out,
                       TextOut& err);

// The same run by the installer itself (/S) on its own command line: `system` is taken as it
// is, the running executable being the installer. Nothing is printed: the log file, when
// given, holds every line.
int runHeadlessInstallInProcess(const InstallerOptions& commandLine, LogFile* logFile,
                                platform::FileSystem& files, platform::System& system,
                                toolkit::ImageDecoder* decoder);

}  // namespace app
