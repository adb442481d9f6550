// The installer's program start, shared by the installer process and the headless runs:
// application title and taskbar, the window Form1 created (FormCreate).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/log_file.h"
#include "app/main.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "toolkit/backend.h"

namespace app {

constexpr const char* kApplicationTitle = "Instalator pakietów CAD";

// The entry's first steps: application initialised with its title and the main form on the
// taskbar, Form1 created and attached, FormCreate run. `options` are the command line read
// once by its caller; `logFile`, when given, receives every log line from the first.
std::unique_ptr<TForm1> startInstallerWith(const InstallerOptions& options,
                                           toolkit::Backend& backend, platform::FileSystem& files,
                                           platform::System& system, LogFile* logFile = nullptr);

// The same from the command-line arguments without the program name.
std::unique_ptr<TForm1> startInstaller(toolkit::Backend& backend, platform::FileSystem& files,
                                       platform::System& system,
                                       const std::vector<std::string>& args,
                                       LogFile* logFile = nullptr);

}  // namespace app
