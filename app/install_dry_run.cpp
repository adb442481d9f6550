// The dry run drives the headless backend the way a user's session goes: start-up, the
// timer's tick (the preparation), optionally typing a host folder, then reading the Install
// button's look.
#include "app/install_dry_run.h"

#include "app/program_entry.h"
#include "platform/paths.h"
#include "toolkit/headless/headless_backend.h"

namespace app {

namespace {

// The running system, with the installer named on the command line as the running
// executable and, when given, other drive roots.
class DryRunSystem : public platform::System {
public:
    DryRunSystem(platform::System& inner, const DryRunOptions& options)
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
    const DryRunOptions& options_;
};

}  // namespace

int runInstallDryRun(const DryRunOptions& options, platform::FileSystem& files,
                     platform::System& system, toolkit::ImageDecoder* decoder, std::ostream& out,
                     std::ostream& err) {
    DryRunSystem dryRunSystem(system, options);
    toolkit::HeadlessBackend backend(decoder);
    std::vector<std::string> args;
    if (options.debug) args.push_back("/d");
    auto form = startInstaller(backend, files, dryRunSystem, args);
    // The loop runs the timer's one tick, then runs dry: the window would now wait for the user.
    backend.run(form->window);
    if (options.typedHost) backend.typeInto("Edit1", *options.typedHost);

    const toolkit::MemoLines& lines = form->infoBox.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) out << lines[i] << '\n';
    const bool installEnabled = form->bnInstallNormal.visible() && form->bnInstallNormal.enabled();
    const std::vector<std::string> reports = backend.errorReports();
    for (const std::string& report : reports) err << "błąd: " << report << '\n';
    if (!installEnabled) {
        const std::string& last = form->InfoLabel.caption();
        err << (last.empty() ? std::string("Instalacja nie jest możliwa.") : last) << '\n';
    }

    backend.clickOn("bnCloseNormal");
    return installEnabled && reports.empty() ? 0 : 1;
}

int runHeadlessInstall(const DryRunOptions& options, platform::FileSystem& files,
                       platform::System& system, toolkit::ImageDecoder* decoder, std::ostream& out,
                       std::ostream& err) {
    DryRunSystem dryRunSystem(system, options);
    toolkit::HeadlessBackend backend(decoder);
    std::vector<std::string> args;
    if (options.debug) args.push_back("/d");
    auto form = startInstaller(backend, files, dryRunSystem, args);
    backend.run(form->window);
    if (options.typedHost) backend.typeInto("Edit1", *options.typedHost);

    const bool installEnabled = form->bnInstallNormal.visible() && form->bnInstallNormal.enabled();
    if (installEnabled) {
        // As a user: the pointer enters the button (Hover look), then the click.
        backend.moveMouseOnto("bnInstallNormal");
        backend.click();
        backend.run(form->window);
    }

    const toolkit::MemoLines& lines = form->infoBox.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) out << lines[i] << '\n';
    for (const std::string& report : backend.errorReports()) err << "błąd: " << report << '\n';
    int code = kExitInstallFailed;
    if (!installEnabled) {
        code = kExitInstallNotEnabled;
    } else if (form->installOutcome == InstallOutcome::Finished && form->BGfinish.visible()) {
        code = kExitInstalled;
    } else if (form->installOutcome == InstallOutcome::CatalogLeftAside) {
        code = kExitCatalogLeftAside;
    }
    if (code != kExitInstalled) {
        const std::string& last = form->InfoLabel.caption();
        err << (last.empty() ? std::string(installEnabled ? "Instalacja nie powiodła się."
                                                          : "Instalacja nie jest możliwa.")
                             : last)
            << '\n';
    }

    backend.clickOn("bnCloseNormal");
    return code;
}

}  // namespace app
