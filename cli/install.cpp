// pakiet install: parses its arguments and runs the installer's preparation headless in the
// current directory, exactly as the window would, printing the log of the chosen level.
#include "cli/install.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "app/install_dry_run.h"
#include "toolkit/platform_image_decoder.h"
#include "platform/file_system.h"
#include "platform/system.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: pakiet install INSTALLER --dry-run [--debug] [--drive-root DIR]... [--host DIR]\n"
    "  Runs the installer's start-up and preparation without a window, in the current\n"
    "  directory (working folder ./tmp), and prints its log (every line with --debug).\n"
    "  Exit 0 when the Install button would be enabled, 1 otherwise.\n"
    "  --drive-root DIR  search DIR instead of the system's drive roots (repeatable)\n"
    "  --host DIR        type DIR into the folder field after the preparation\n";

int usageError(const std::string& problem) {
    std::fprintf(stderr, "pakiet install: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

}  // namespace

int runInstall(const Args& args) {
    app::DryRunOptions options;
    bool dryRun = false;
    bool haveInstaller = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--dry-run") {
            dryRun = true;
        } else if (arg == "--debug") {
            options.debug = true;
        } else if (arg == "--drive-root" || arg == "--host") {
            if (!hasValue) return usageError(arg + " needs a folder");
            (arg == "--host" ? options.typedHost.emplace() : options.driveRoots.emplace_back()) =
                args[++i];
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError("unknown option " + arg);
        } else if (haveInstaller) {
            return usageError("more than one installer given: " + arg);
        } else {
            options.installer = arg;
            haveInstaller = true;
        }
    }
    if (!haveInstaller) return usageError("no installer given");
    if (!dryRun) return usageError("only --dry-run is available: the install step is not built yet");

    // The log names the installer by its full path, as the window names its own executable.
    std::error_code error;
    const std::filesystem::path given(std::u8string(options.installer.begin(), options.installer.end()));
    const std::u8string absolute = std::filesystem::absolute(given, error).u8string();
    if (!error) options.installer.assign(absolute.begin(), absolute.end());

    platform::FileSystem& files = platform::realFileSystem();
    if (!files.fileExists(options.installer))
        return usageError("no such installer file: " + options.installer);
    const auto decoder = toolkit::makePlatformImageDecoder();
    return app::runInstallDryRun(options, files, platform::realSystem(), decoder.get(), std::cout,
                                 std::cerr);
}

}  // namespace cli
