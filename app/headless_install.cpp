// The headless runs drive the headless backend the way a user's session goes: start-up, the
// timer's tick (the preparation), optionally typing a host folder, then reading the Install
// button's look and clicking it.
#include "app/headless_install.h"

#include "app/program_entry.h"
#include "platform/concat.h"
#include "platform/paths.h"
#include "toolkit/headless/headless_backend.h"

namespace app {

namespace {

// The running system, with the installer named on the command line as the running
// executable and, when given, other drive roots.
class InstallerAsExecutable : public platform::System {
public:
    InstallerAsExecutable(platform::System& inner, const HeadlessInstallOptions& options)
        : inner_(inner), options_(options) {}

    std::vector<std::string> driveRoots() override {
        if (options_.driveRoots.empty()) return inner_.driveRoots();
        std::vector<std::string> roots;
        for (const std::string& root : options_.driveRoots)
            roots.push_back(platform::withTrailingSeparator(root));
        return roots;
    }
    std::vector<platform::ProcessEntry> processSnapshot() override {
        return inner_.processSnapshot();
    }
    std::string executablePath() override { return options_.installer; }
    std::string currentDirectory() override { return inner_.currentDirectory(); }
    platform::ScreenSize primaryScreenSize() override { return inner_.primaryScreenSize(); }

private:
    platform::System& inner_;
    const HeadlessInstallOptions& options_;
};

// The installer's own command line as the options say it (the debug switch, /D=), taken as
// readCommandLine would take it: an empty folder is no folder.
InstallerOptions commandLineOf(const HeadlessInstallOptions& options) {
    InstallerOptions commandLine;
    commandLine.logLevel = options.logLevel;
    if (options.givenHost && !options.givenHost->empty())
        commandLine.hostFolder.emplace(givenHostFolder(*options.givenHost));
    return commandLine;
}

// One headless session up to the end of the preparation: start-up, the timer's tick, then
// the folder typed, if given. Members go in reverse: the form before the backend it uses;
// `system` outlives both.
struct PreparedSession {
    PreparedSession(const InstallerOptions& commandLine, const HeadlessInstallOptions& options,
                    platform::FileSystem& files, platform::System& system,
                    toolkit::ImageDecoder* decoder)
        : backend(decoder) {
        form = startInstallerWith(commandLine, backend, files, system, options.logFile);
        // The loop runs the timer's one tick, then runs dry: the window would now wait for the user.
        if (options.progress)
            form->gauge.setImmediateRepaint([this, out = options.progress](toolkit::Gauge& gauge) {
                backend.repaintNow(gauge);
                out->percent(gauge.percentDone());
            });
        backend.run(form->window);
        if (options.typedHost) backend.typeInto("Edit1", *options.typedHost);
    }

    bool installEnabled() const {
        return form->bnInstallNormal.visible() && form->bnInstallNormal.enabled();
    }

    // The log box to `out`, the error reports to `err`.
    void printLog(TextOut& out, TextOut& err) {
        const toolkit::MemoLines& lines = form->infoBox.lines();
        for (std::size_t i = 0; i < lines.size(); ++i) out.line(lines[i]);
        for (const std::string& report : backend.errorReports())
            err.line(platform::concat({"błąd: ", report}));
    }

    // The status label's last message, or `fallback` when it is empty, to `err` when given;
    // the log file ends with it too, so that it holds the reason even when the status label
    // said nothing.
    void printLastMessage(TextOut* err, const char* fallback) const {
        const std::string& last = form->InfoLabel.caption();
        const std::string_view message = last.empty() ? std::string_view(fallback) : std::string_view(last);
        if (err) err->line(message);
        if (form->logFile) {
            for (const std::string& report : backend.errorReports()) form->logFile->line(1, report);
            if (last.empty()) form->logFile->line(1, message);
        }
    }

    toolkit::HeadlessBackend backend;
    std::unique_ptr<TForm1> form;
};

// The installation on `system` as the run sees it; the lines printed to `out` and `err` when
// given (both or neither).
int installAndReport(const InstallerOptions& commandLine, const HeadlessInstallOptions& options,
                     platform::FileSystem& files, platform::System& system,
                     toolkit::ImageDecoder* decoder, TextOut* out, TextOut* err) {
    PreparedSession session(commandLine, options, files, system, decoder);
    TForm1& form = *session.form;
    const bool installEnabled = session.installEnabled();
    if (installEnabled) {
        // As a user: the pointer enters the button (Hover look), then the click.
        session.backend.moveMouseOnto("bnInstallNormal");
        session.backend.click();
        session.backend.run(form.window);
    }

    if (out) session.printLog(*out, *err);
    // A click that started nothing is a failure, never a window closed by the user.
    int code = !installEnabled ? kExitInstallNotEnabled
               : form.installOutcome == InstallOutcome::NotStarted ? kExitInstallFailed
                                                                   : exitCodeOf(form);
    if (code != kExitInstalled)
        session.printLastMessage(err, installEnabled ? "Instalacja nie powiodła się."
                                                     : "Instalacja nie jest możliwa.");

    session.backend.clickOn("bnCloseNormal");
    return code;
}

}  // namespace

int runInstallDryRun(const HeadlessInstallOptions& options, platform::FileSystem& files,
                     platform::System& realSystem, toolkit::ImageDecoder* decoder, TextOut& out,
                     TextOut& err) {
    InstallerAsExecutable system(realSystem, options);
    PreparedSession session(commandLineOf(options), options, files, system, decoder);
    const bool installEnabled = session.installEnabled();
    session.printLog(out, err);
    if (!installEnabled) session.printLastMessage(&err, "Instalacja nie jest możliwa.");
    const bool reported = !session.backend.errorReports().empty();
    session.backend.clickOn("bnCloseNormal");
    return installEnabled && !reported ? 0 : 1;
}

int runHeadlessInstall(const HeadlessInstallOptions& options, platform::FileSystem& files,
                       platform::System& realSystem, toolkit::ImageDecoder* decoder, TextOut& out,
                       TextOut& err) {
    InstallerAsExecutable system(realSystem, options);
    return installAndReport(commandLineOf(options), options, files, system, decoder, &out, &err);
}

int runHeadlessInstallInProcess(const InstallerOptions& commandLine, LogFile* logFile,
                                platform::FileSystem& files, platform::System& system,
                                toolkit::ImageDecoder* decoder) {
    HeadlessInstallOptions options;
    options.logFile = logFile;
    return installAndReport(commandLine, options, files, system, decoder, nullptr, nullptr);
}

}  // namespace app
