// pakiet install --dry-run: the same preparation, its log printed at the chosen level and the
// Install button's state as the exit code.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/headless_install_streams.h"
#include "archive/zip/zip_writer.h"
#include "session/version.h"
#include "tests/app/preparation_fixture.h"

namespace {

using preparationtest::packageZip;
using preparationtest::PreparationRun;

struct DryRun {
    int exitCode;
    std::string out;
    std::string err;
};

DryRun dryRun(PreparationRun& run, app::HeadlessInstallOptions given) {
    std::string current = run.currentDir.folder();
    current.pop_back();
    run.system.currentDir = current;
    run.system.exePath = "not the installer";  // the option names it
    given.installer = run.installer;
    std::ostringstream out, err;
    const int code =
        app::runInstallDryRun(given, run.files, run.system, run.decoder.get(), out, err);
    return {code, out.str(), err.str()};
}

app::HeadlessInstallOptions options(std::vector<std::string> roots, bool debug = false,
                           std::optional<std::string> host = std::nullopt) {
    app::HeadlessInstallOptions result;
    result.driveRoots = std::move(roots);
    result.logLevel = debug ? session::LogLevel::Debug : session::LogLevel::Normal;
    result.typedHost = std::move(host);
    return result;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(DryRun, DriveRootsReplaceTheSystemsAndSuccessExitsZero) {
    PreparationRun run;
    const std::string host = run.makeHost("C", "CAD 2.0");
    run.system.roots = {run.drive("X")};  // would find nothing
    run.writeInstaller(packageZip("P"));
    std::string root = run.drive("C");
    root.pop_back();  // the separator is added when missing
    const DryRun result = dryRun(run, options({root}, true));

    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    const auto out = lines(result.out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.front(), "Ustawiono parametr DEBUG");
    EXPECT_EQ(out[1], session::versionLine());
    EXPECT_NE(std::find(out.begin(), out.end(), "HDD: [" + run.drive("C") + "]"), out.end());
    EXPECT_EQ(std::find(out.begin(), out.end(), "HDD: [" + run.drive("X") + "]"), out.end());
    EXPECT_NE(std::find(out.begin(), out.end(), "Plik EXE z archiwum: " + run.installer), out.end());
    EXPECT_EQ(out.back(), "Odblokowywujemy klawisz INSTALL");
    // Debug mode keeps the working files, as the window's Close does.
    EXPECT_TRUE(run.files.fileExists(run.workDir() + "cover.jpg"));
}

TEST(DryRun, NormalModePrintsUserMessagesAndFailsWithTheLastOne) {
    PreparationRun run;
    run.makeHost("C", "CAD 2.0");
    run.system.addProcess("CADLumorPro.exe");
    run.writeInstaller(packageZip("P"));
    const DryRun result = dryRun(run, options({run.drive("C")}));

    EXPECT_EQ(result.exitCode, 1);
    // The check runs from the proposal's change of the field and again from the sequence.
    const std::string message = "Wyłącz program CADLumorPro.exe i spróbuj ponownie.";
    EXPECT_EQ(lines(result.out), (std::vector<std::string>{session::versionLine(), message, message}));
    EXPECT_EQ(result.err, "Wyłącz program CADLumorPro.exe i spróbuj ponownie.\n");
    // Normal mode: Close removed the working files and folder.
    EXPECT_FALSE(run.files.folderExists(run.workDir()));
}

TEST(DryRun, TypedHostIsCheckedAsTheUsersOwn) {
    PreparationRun run;
    const std::string host = run.makeHost("D", "Stara wersja");  // not found by the search
    run.writeInstaller(packageZip("P"));
    const DryRun withoutHost = dryRun(run, options({run.drive("D")}));
    EXPECT_EQ(withoutHost.exitCode, 1);
    EXPECT_EQ(withoutHost.err, "Nie znaleziono oprogramowania CAD. Wskaż poprawny katalog.\n");

    const DryRun withHost = dryRun(run, options({run.drive("D")}, false, host));
    EXPECT_EQ(withHost.exitCode, 0);
    EXPECT_EQ(withHost.err, "");
}

TEST(DryRun, AnEscapingErrorIsReportedAndFails) {
    PreparationRun run;
    run.makeHost("C", "CAD 2.0");
    run.writeInstaller(zip::makeZip({{"P\\dodatki.mdb", "c"}, {"P.jpg", "not a picture"}}));
    const DryRun result = dryRun(run, options({run.drive("C")}));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.rfind("błąd: ", 0), 0u) << result.err;
}

}  // namespace
