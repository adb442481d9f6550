// The process: the command line read once; a bad one ends the run with kExitUsage before any
// working file is made, help shows and ends it; the log file is opened before anything is
// logged and a failure to open it is told, never fatal.
#include "app/installer_process.h"

#include <optional>

#include "app/command_line.h"
#include "app/error_text.h"
#include "app/exit_codes.h"
#include "app/headless_install.h"
#include "app/log_file.h"
#include "app/program_entry.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"
#include "platform/heartbeat_file_system.h"

namespace app {

namespace {

// The log file of the run, when /LOG= names one; `problem` tells why it could not be opened.
struct RunLog {
    std::optional<LogFile> file;
    std::string problem;

    RunLog(const InstallerOptions& options, platform::FileSystem& files, platform::System& system,
           InstallerShell& shell) {
        if (!options.logFile) return;
        try {
            file.emplace(files, *options.logFile);
        } catch (const std::exception&) {
            problem = platform::concat(
                {"Nie można zapisać dziennika w pliku ", *options.logFile, ": ", errorText()});
            return;
        }
        std::string installer;
        try {
            installer = system.executablePath();
        } catch (const std::exception&) {
            installer = kApplicationTitle;
        }
        file->startRun(shell.dateTimeText(), installer);
    }

    LogFile* get() { return file ? &*file : nullptr; }

    // Multi-line texts (help, usage) as level-1 lines.
    void lines(std::string_view text) {
        if (!file) return;
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            file->line(1, text.substr(0, end));
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        }
    }

    int ends(int code) {
        if (file) file->line(1, platform::concat({"=== kod wyjścia: ", platform::DecimalPiece(code)}));
        return code;
    }
};

}  // namespace

int runInstallerProcessWith(const InstallerOptions& options, platform::FileSystem& files,
                            platform::System& system, InstallerShell& shell) {
    RunLog log(options, files, system, shell);

    if (!options.unknown.empty()) {
        const std::string text =
            platform::concat({"Nieznany przełącznik: ", options.unknown.front(), "\n\n", commandLineHelp()});
        log.lines(text);
        if (!options.silent) shell.showMessage(text, true);
        return log.ends(kExitUsage);
    }
    if (options.help) {
        log.lines(commandLineHelp());
        if (!options.silent) shell.showMessage(commandLineHelp(), false);
        return log.ends(kExitInstalled);
    }
    if (options.silent) {
        // No window, so the only place to tell about the log file is gone with it.
        // The preparation and, when it allows, the transaction, with no window.
        return log.ends(runHeadlessInstallInProcess(options, log.get(), files, system, shell.decoder()));
    }
    const std::unique_ptr<toolkit::Backend> backend = shell.makeWindowBackend();
    // The window's long work is file work: between its pieces the window keeps answering.
    platform::HeartbeatFileSystem windowFiles(files, [&backend] { backend->keepAlive(); });
    auto form = startInstallerWith(options, *backend, windowFiles, system, log.get());
    if (!log.problem.empty()) form->info(1, log.problem);
    backend->run(form->window);
    return log.ends(exitCodeOf(*form));
}

int runInstallerProcess(const std::vector<std::string>& args, platform::FileSystem& files,
                        platform::System& system, InstallerShell& shell) {
    return runInstallerProcessWith(readCommandLine(args), files, system, shell);
}

}  // namespace app
