// The installer's command line, read in one place. Switches combine in any order and ignore
// the case of ASCII letters. The debug switch keeps its old rule: it counts only as the first
// argument, in the forms "/d", "/debug", "d" and "debug"; elsewhere it is ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/log_level.h"

namespace app {

struct InstallerOptions {
    session::LogLevel logLevel = session::LogLevel::Normal;  // Debug from the debug switch
    bool silent = false;                    // /S: no window at all
    bool help = false;                      // /? or /h
    std::optional<std::string> hostFolder;  // /D=folder, ending with the separator
    std::optional<std::string> logFile;     // /LOG=file
    std::vector<std::string> unknown;       // arguments not understood, in order

    bool debug() const { return logLevel == session::LogLevel::Debug; }
};

// `args` without the program name. "/D=" takes the rest of the command line, as Windows
// installers do: an unquoted folder with blanks arrives split into arguments, and they are
// joined again with one blank each.
InstallerOptions readCommandLine(const std::vector<std::string>& args);

// A non-empty /D= value as the installer takes it: the quote Windows leaves at the end of a
// quoted folder dropped, the trailing separator added.
std::string givenHostFolder(std::string folder);

// The switches and exit codes, as "/?" shows them.
std::string_view commandLineHelp();

}  // namespace app
