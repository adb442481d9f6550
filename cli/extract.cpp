// pakiet extract INSTALLER DIR: the installation's own steps on the installer file, without a
// window: copy the archive out to a working folder, find the package, extract it into DIR with
// ExtractFilesFromZip; every log line is printed as "[level] text".
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "archive/embedded_package.h"
#include "archive/extract_files_from_zip.h"
#include "archive/search_packages.h"
#include "cli/command_usage.h"
#include "cli/archive_commands.h"
#include "cli/cli_files.h"
#include "cli/console_log.h"
#include "cli/progress_line.h"
#include "cli/terminal_text.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "session/installer_state.h"
#include "toolkit/gauge.h"

namespace cli {

namespace {

// A working folder of its own under the system's temporary folder, removed at the end.
class WorkingFolder {
public:
    WorkingFolder() {
        const auto base = std::filesystem::temp_directory_path();
        for (unsigned k = 0;; ++k) {
            path_ = base / ("pakiet-extract-" + std::to_string(k));
            if (std::filesystem::create_directory(path_)) break;
        }
    }
    ~WorkingFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    std::string folder() const { return platform::withTrailingSeparator(utf8FromPath(path_)); }

private:
    std::filesystem::path path_;
};

}  // namespace

int runExtract(const Args& args) {
    if (args.empty()) return usageError("extract", "nie podano instalatora ani katalogu");
    if (args.size() == 1) return usageError("extract", "nie podano katalogu, do którego rozpakować");
    if (args.size() > 2) return usageError("extract", "nadmiarowy argument `" + args[2] + "`");
    platform::FileSystem& fs = platform::realFileSystem();
    ProgressLine progress = ProgressLine::onStandardError();
    ConsoleLog log(stdout, session::LogLevel::Debug, ConsoleLog::Form::Tagged, &progress);
    WorkingFolder work;
    session::InstallerState state;
    state.log_level = session::LogLevel::Debug;
    state.tmpDir = work.folder();
    state.fileZip = "packages.zip";
    state.sourceZip = state.tmpDir + state.fileZip;

    state.heldArchive = archive::extractEmbeddedPackage(args[0], state, log, fs);
    if (!state.heldArchive) {
        std::fputs("pakiet extract: instalator nie zawiera paczki\n", stderr);
        return 1;
    }
    archive::searchPackages(state, log, fs, [] {});
    if (state.packageName.empty()) {
        std::fputs("pakiet extract: archiwum nie zawiera dokładnie jednej paczki\n", stderr);
        return 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(pathFromUtf8(args[1]), ec);
    toolkit::Gauge gauge("gauge");
    gauge.setImmediateRepaint([&progress](toolkit::Gauge& g) { progress.percent("Rozpakowywanie", g.percentDone(), 100); });
    const std::string destination = platform::withTrailingSeparator(args[1]);
    if (!archive::ExtractFilesFromZip(log, fs, state, gauge, state.sourceZip, destination)) {
        progress.clear();
        std::fputs("pakiet extract: rozpakowanie nie powiodło się\n", stderr);
        return 1;
    }
    progress.clear();
    std::printf("rozpakowano paczkę %s do %s\n", escapedForTerminal(state.packageName).c_str(),
                escapedForTerminal(destination).c_str());
    return 0;
}

}  // namespace cli
