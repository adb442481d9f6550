// The installer process from its command line to its exit code: the silent installation with
// its host folder and log file, the answers to help and unknown switches, and the codes of a
// window that ends without an installation.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "app/exit_codes.h"
#include "app/command_line.h"
#include "app/installer_process.h"
#include "platform/paths.h"
#include "session/version.h"
#include "tests/app/install_fixture.h"
#include "tests/support/test_paths.h"
#include "toolkit/headless/headless_backend.h"

namespace {

using installtest::catalogBytes;
using installtest::InstallRun;

const installtest::CatalogContent kPackage = {{{"Wrzos", "Wrzos sp. z o.o."}}, {{1, "Szafa"}}};

// What the platform does, recorded: message boxes, whether a window was made, a fixed date.
struct RecordingShell : app::InstallerShell {
    explicit RecordingShell(toolkit::ImageDecoder* theDecoder) : decoder_(theDecoder) {}

    void showMessage(std::string_view text, bool isError) override {
        messages.emplace_back(text);
        errors.push_back(isError);
    }
    std::unique_ptr<toolkit::Backend> makeWindowBackend() override {
        ++windows;
        return std::make_unique<toolkit::HeadlessBackend>(decoder_);
    }
    toolkit::ImageDecoder* decoder() override { return decoder_; }
    std::string dateTimeText() override { return "2026-12-10 09:00:00"; }

    std::vector<std::string> messages;
    std::vector<bool> errors;
    int windows = 0;

private:
    toolkit::ImageDecoder* decoder_;
};

struct Process {
    InstallRun run;
    RecordingShell shell{run.decoder.get()};
    std::string logPath = run.currentDir.folder() + "dziennik wdrożenia.log";

    Process() {
        run.writeInstaller(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
        std::string current = run.currentDir.folder();
        current.pop_back();
        run.system.currentDir = current;
        run.system.exePath = run.installer;
    }
    int start(const std::vector<std::string>& args) {
        return app::runInstallerProcess(args, run.files, run.system, shell);
    }
    std::string log() const {
        return testsupport::readFile(std::filesystem::path(std::u8string(logPath.begin(), logPath.end())));
    }
    bool logHas(const std::string& line) const { return log().find(line + "\r\n") != std::string::npos; }
};

std::size_t occurrences(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

TEST(SilentInstall, InstallsIntoTheGivenFolderWithNoWindowAndAppendsTheLog) {
    Process p;
    // A host the search would never find (no drive roots), named with Polish letters and
    // blanks, given unquoted: the last argument takes the rest of the line.
    p.run.system.roots = {};
    const std::string host = p.run.makeHost("E", "CAD Żółta wersja");
    std::vector<std::string> args = {"/LOG=" + p.logPath, "/s"};
    std::istringstream pieces(host.substr(0, host.size() - 1));
    for (std::string piece; std::getline(pieces, piece, ' ');)
        args.push_back(args.size() == 2 ? "/D=" + piece : piece);
    ASSERT_EQ(args.size(), 5u);

    EXPECT_EQ(p.start(args), app::kExitInstalled) << p.log();
    EXPECT_EQ(p.shell.windows, 0);
    EXPECT_TRUE(p.shell.messages.empty());
    const std::string catalogFolder = host + platform::withTrailingSeparator("dodatki") + "Wrzos" +
                                      platform::kSeparator;
    EXPECT_TRUE(p.run.files.fileExists(catalogFolder + "dodatki.mdb"));
    EXPECT_TRUE(p.run.files.fileExists(catalogFolder + "item.jpg"));
    // Close ran as after a window's run: normal mode leaves no working folder.
    EXPECT_FALSE(p.run.files.folderExists(p.run.workDir()));

    const std::string log = p.log();
    EXPECT_EQ(log.rfind("=== 2026-12-10 09:00:00 · " + session::versionLine() + " · ", 0), 0u) << log;
    // Once: the heading says it, the lines of the log box below do not repeat it.
    EXPECT_EQ(occurrences(log, session::versionLine()), 1u) << log;
    EXPECT_TRUE(p.logHas("=== pakiet: Wrzos")) << log;
    EXPECT_TRUE(p.logHas("    Folder instalacji podany w wierszu poleceń: " + host)) << log;
    EXPECT_TRUE(p.logHas("=== kod wyjścia: 0")) << log;
    // The same run again is a reinstallation, appended below the first one.
    EXPECT_EQ(p.start(args), app::kExitInstalled) << p.log();
    EXPECT_EQ(occurrences(p.log(), "=== 2026-12-10 09:00:00"), 2u);
    EXPECT_EQ(p.log().rfind(log, 0), 0u);
}

TEST(SilentInstall, NothingPossibleExitsOneWithTheReasonInTheLog) {
    Process noHost;
    noHost.run.system.roots = {};
    EXPECT_EQ(noHost.start({"/S", "/LOG=" + noHost.logPath}), app::kExitInstallNotEnabled);
    EXPECT_TRUE(noHost.logHas("Nie znaleziono oprogramowania CAD. Wskaż poprawny katalog."));
    EXPECT_TRUE(noHost.logHas("=== kod wyjścia: 1"));

    Process running;
    running.run.system.addProcess("CADTool.exe");
    EXPECT_EQ(running.start({"/S", "/LOG=" + running.logPath}), app::kExitInstallNotEnabled);
    EXPECT_TRUE(running.logHas("Wyłącz program CADTool.exe i spróbuj ponownie."));
    EXPECT_FALSE(running.run.files.folderExists(running.run.catalogFolder()));

    Process notAHost;
    const std::string folder = notAHost.run.makeFolder("E", "Zwykły folder");
    EXPECT_EQ(notAHost.start({"/S", "/LOG=" + notAHost.logPath, "/D=" + folder}),
              app::kExitInstallNotEnabled);
    EXPECT_TRUE(notAHost.logHas("Podany folder nie jest folderem programu CAD LUMOR: " + folder))
        << notAHost.log();
}

TEST(SilentInstall, UnwritableLogFileDoesNotStopTheInstallation) {
    Process p;
    p.logPath = p.run.currentDir.folder() + platform::withTrailingSeparator("brak") + "a.log";
    EXPECT_EQ(p.start({"/S", "/LOG=" + p.logPath}), app::kExitInstalled);
    EXPECT_TRUE(p.run.files.fileExists(p.run.catalog("dodatki.mdb")));
}

TEST(InstallerProcess, UnknownSwitchExitsTwoBeforeAnyWorkingFile) {
    Process window;
    EXPECT_EQ(window.start({"/LOG=" + window.logPath, "/x"}), app::kExitUsage);
    ASSERT_EQ(window.shell.messages.size(), 1u);
    EXPECT_TRUE(window.shell.errors.front());
    EXPECT_EQ(window.shell.messages.front().rfind("Nieznany przełącznik: /x\n", 0), 0u);
    EXPECT_EQ(window.shell.windows, 0);
    EXPECT_FALSE(window.run.files.folderExists(window.run.workDir()));
    EXPECT_TRUE(window.logHas("Nieznany przełącznik: /x"));
    EXPECT_TRUE(window.logHas("=== kod wyjścia: 2"));

    Process silent;
    EXPECT_EQ(silent.start({"/S", "/LOG=" + silent.logPath, "-S"}), app::kExitUsage);
    EXPECT_TRUE(silent.shell.messages.empty());
    EXPECT_TRUE(silent.logHas("Nieznany przełącznik: -S"));
}

TEST(InstallerProcess, HelpIsABoxOrWithSilentOnlyTheLog) {
    Process window;
    EXPECT_EQ(window.start({"/?"}), app::kExitInstalled);
    ASSERT_EQ(window.shell.messages.size(), 1u);
    EXPECT_FALSE(window.shell.errors.front());
    EXPECT_EQ(window.shell.messages.front(), app::commandLineHelp());
    EXPECT_EQ(window.shell.windows, 0);

    Process silent;
    EXPECT_EQ(silent.start({"/S", "/h", "/LOG=" + silent.logPath}), app::kExitInstalled);
    EXPECT_TRUE(silent.shell.messages.empty());
    EXPECT_TRUE(silent.logHas("  5  okno zamknięto bez instalowania"));
    EXPECT_FALSE(silent.run.files.folderExists(silent.run.catalogFolder()));
}

TEST(InstallerProcess, WindowEndedWithoutInstallingHasItsOwnCode) {
    // The headless window's loop ends when nothing is left to do: the user closed it.
    Process usable;
    EXPECT_EQ(usable.start({"/LOG=" + usable.logPath}), app::kExitWindowClosed);
    EXPECT_EQ(usable.shell.windows, 1);
    EXPECT_TRUE(usable.logHas("=== kod wyjścia: 5"));
    EXPECT_FALSE(usable.run.files.folderExists(usable.run.catalogFolder()));

    Process impossible;
    impossible.run.system.roots = {};
    EXPECT_EQ(impossible.start({}), app::kExitInstallNotEnabled);
}

// The window's long work (the package copied out of the installer, the archive checked and
// extracted, the catalog merged) is file work, and each piece of it lets the window answer
// the system (Backend::keepAlive). What a real window may let in then, an impatient user's
// click and keys, typing sent by another program, a close request, must change nothing.
struct KeepAliveCalls {
    int duringPreparation = 0, duringInstall = 0;
};

struct BusyWindow : toolkit::HeadlessBackend {
    BusyWindow(toolkit::ImageDecoder* decoder, KeepAliveCalls& calls) : HeadlessBackend(decoder), calls_(calls) {}
    void keepAlive() override {
        if (!dispatcher().handlerRunning()) return;
        ++(installing_ ? calls_.duringInstall : calls_.duringPreparation);
        clickOn("bnInstallHover");
        pressKey(toolkit::Key::Enter);
        typeInto("Edit1", "Q:\\");
        requestClose();
    }
    void run(toolkit::Form& form) override {
        HeadlessBackend::run(form);  // the preparation, until the window waits for the user
        installing_ = true;
        pressKey(toolkit::Key::Enter);  // Install has the focus
    }

private:
    KeepAliveCalls& calls_;
    bool installing_ = false;
};

TEST(InstallerProcess, TheWindowKeepsAnsweringThroughItsFileWorkAndTakesNoInputMeanwhile) {
    struct BusyShell : RecordingShell {
        using RecordingShell::RecordingShell;
        std::unique_ptr<toolkit::Backend> makeWindowBackend() override {
            return std::make_unique<BusyWindow>(decoder(), calls);
        }
        KeepAliveCalls calls;  // the window is gone when the process returns
    };
    Process p;
    BusyShell shell(p.run.decoder.get());
    EXPECT_EQ(app::runInstallerProcess({"/LOG=" + p.logPath}, p.run.files, p.run.system, shell), app::kExitInstalled)
        << p.log();
    EXPECT_GT(shell.calls.duringPreparation, 0);
    EXPECT_GT(shell.calls.duringInstall, 0);
    EXPECT_EQ(occurrences(p.log(), "Trwa instalowanie pakietu..."), 1u) << p.log();
    EXPECT_TRUE(p.run.files.fileExists(p.run.catalogFolder() + "dodatki.mdb"));
    EXPECT_TRUE(p.logHas("=== kod wyjścia: 0"));
}

TEST(ExitCodes, EachOutcomeOfTheTransactionHasItsCode) {
    InstallRun run;
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    const std::pair<app::InstallOutcome, int> cases[] = {
        {app::InstallOutcome::NothingChanged, app::kExitInstallNotEnabled},
        {app::InstallOutcome::RolledBack, app::kExitInstallFailed},
        {app::InstallOutcome::CatalogLeftAside, app::kExitCatalogLeftAside},
        {app::InstallOutcome::Unfinished, app::kExitCatalogLeftAside},
        // Finished without the finish picture shown is no success.
        {app::InstallOutcome::Finished, app::kExitInstallFailed},
    };
    for (const auto& [outcome, code] : cases) {
        run.form->installOutcome = outcome;
        EXPECT_EQ(app::exitCodeOf(*run.form), code) << static_cast<int>(outcome);
    }
}

}  // namespace
