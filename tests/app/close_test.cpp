// The timer's one tick, Close with its clean-up rules, errors escaping handlers, and whole
// headless runs from start to Close.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/headless_run.h"
#include "platform/file_error.h"
#include "session/version.h"
#include "tests/app/installer_fixture.h"
#include "tests/support/fault_injecting_file_system.h"

namespace app {
namespace {

namespace fs = std::filesystem;

TEST(Timer1, FiresOnceAboutASecondAfterStartAndRunsAfterShowOnce) {
    apptest::Installer in;
    in.start();
    in.form->bnCloseSetDisable();
    in.backend.advanceTime(999);
    EXPECT_TRUE(in.form->ActivityIndicator.visible());
    in.backend.advanceTime(1);
    EXPECT_FALSE(in.form->Timer1.enabled());
    EXPECT_FALSE(in.form->ActivityIndicator.visible());
    EXPECT_TRUE(in.form->bnCloseNormal.visible());
    in.form->bnCloseSetDisable();
    in.backend.advanceTime(60000);  // no second run would put Close back to Normal
    EXPECT_TRUE(in.form->bnCloseDisable.visible());
}

struct CleanUpCase {
    const char* what;
    std::vector<std::string> args;
    bool nodelete, extraFile;
    bool coverKept, zipKept, folderKept;
};

TEST(CloseClick, CleanUpRules) {
    const CleanUpCase cases[] = {
        {"normal mode", {}, false, false, false, false, false},
        {"debug mode", {"/d"}, false, false, true, true, true},
        {"NODELETE", {}, true, false, true, true, true},
        {"extra file", {}, false, true, false, false, true},
        {"debug mode with an extra file", {"debug"}, false, true, true, true, true},
    };
    for (const CleanUpCase& c : cases) {
        apptest::Installer in;
        in.start(c.args);
        const fs::path work = in.workDir();
        testsupport::writeFile(work / "packages.zip", "PK");
        testsupport::writeFile(work / "cover.jpg", "jpg");
        if (c.nodelete) testsupport::writeFile(work / "NODELETE", "");
        if (c.extraFile) testsupport::writeFile(work / "notatka.txt", "x");
        in.backend.clickOn("bnCloseNormal");
        EXPECT_TRUE(in.backend.closed()) << c.what;
        EXPECT_EQ(fs::exists(work / "cover.jpg"), c.coverKept) << c.what;
        EXPECT_EQ(fs::exists(work / "packages.zip"), c.zipKept) << c.what;
        EXPECT_EQ(fs::exists(work), c.folderKept) << c.what;
        if (c.extraFile) {
            EXPECT_TRUE(fs::exists(work / "notatka.txt")) << c.what;
        }
    }
}

TEST(CloseClick, AMissingWorkingFolderOrASubFolderStillCloses) {
    {
        apptest::Installer in;
        in.start();
        fs::remove(in.workDir());
        in.backend.clickOn("bnCloseNormal");
        EXPECT_TRUE(in.backend.closed());
        EXPECT_TRUE(in.backend.errorReports().empty());
    }
    {
        apptest::Installer in;
        in.start();
        fs::create_directory(in.workDir() / "PAKIET");
        in.backend.clickOn("bnCloseNormal");
        EXPECT_TRUE(in.backend.closed());
        EXPECT_TRUE(fs::is_directory(in.workDir() / "PAKIET"));
    }
}

TEST(CloseClick, FailedDeletionsAreIgnored) {
    apptest::Installer in;
    testsupport::FaultInjectingFileSystem files(platform::realFileSystem());
    in.start({}, files);
    testsupport::writeFile(in.workDir() / "cover.jpg", "jpg");
    testsupport::writeFile(in.workDir() / "packages.zip", "PK");
    files.failOperation(testsupport::FileOperation::DeleteFile, "*cover.jpg");
    in.backend.clickOn("bnCloseNormal");
    EXPECT_TRUE(in.backend.closed());
    EXPECT_TRUE(fs::exists(in.workDir() / "cover.jpg"));
    EXPECT_FALSE(fs::exists(in.workDir() / "packages.zip"));
}

// A file system whose existence checks throw, as a failing network drive may.
class ThrowingFileSystem : public testsupport::FaultInjectingFileSystem {
public:
    using FaultInjectingFileSystem::FaultInjectingFileSystem;
    bool throwing = false;
    bool folderExists(const std::string& path) override {
        if (throwing) throw platform::FileError(path, "Urządzenie nie jest gotowe: " + path);
        return FaultInjectingFileSystem::folderExists(path);
    }
};

TEST(CloseClick, AnErrorEscapingItIsReportedAndTheWindowStaysOpen) {
    apptest::Installer in;
    ThrowingFileSystem files(platform::realFileSystem());
    in.start({}, files);
    files.throwing = true;
    in.backend.clickOn("bnCloseNormal");
    EXPECT_FALSE(in.backend.closed());
    ASSERT_EQ(in.backend.errorReports().size(), 1u);
    EXPECT_NE(in.backend.errorReports()[0].find("Urządzenie nie jest gotowe"), std::string::npos);
    files.throwing = false;
    in.backend.moveMouseOff();
    in.backend.clickOn("bnCloseNormal");  // the window still takes input
    EXPECT_TRUE(in.backend.closed());
}

TEST(HeadlessRun, StartTimerHoverLeaveAndCloseRemoveTheWorkingFiles) {
    apptest::Installer in;
    in.start();
    EXPECT_TRUE(fs::is_directory(in.workDir()));
    // The window's loop: the timer's tick runs the preparation, then the loop runs dry.
    in.backend.run(in.form->window);
    EXPECT_EQ(in.backend.now(), 1000);
    EXPECT_FALSE(in.form->ActivityIndicator.visible());
    testsupport::writeFile(in.workDir() / "packages.zip", "PK");
    testsupport::writeFile(in.workDir() / "cover.jpg", "jpg");

    in.backend.moveMouseOnto("bnCloseNormal");
    EXPECT_TRUE(in.form->bnCloseHover.visible());
    EXPECT_FALSE(in.form->bnCloseNormal.visible());
    in.backend.moveMouseTo(10, 10);
    EXPECT_TRUE(in.form->bnCloseNormal.visible());
    EXPECT_FALSE(in.form->bnCloseHover.visible());
    in.backend.clickOn("bnCloseNormal");

    EXPECT_TRUE(in.backend.closed());
    EXPECT_FALSE(fs::exists(in.workDir()));
    EXPECT_TRUE(in.backend.errorReports().empty());
}

TEST(HeadlessRun, PrintsTheLogBoxAndClosesInDebugModeKeepingTheFiles) {
    testsupport::TempDir dir;
    testsupport::FakeSystem system;
    std::string cwd = dir.folder();
    cwd.pop_back();
    system.currentDir = cwd;
    system.exePath = apptest::writeInstallerWithoutPackage(dir);
    std::ostringstream out;
    EXPECT_EQ(runHeadless(platform::realFileSystem(), system, {"/D"}, out), 0);
    EXPECT_EQ(out.str(),
              "Ustawiono parametr DEBUG\n" + session::versionLine() + "\nBlokujemy klawisz INSTALL\n"
              "Sprawdzamy folder instalacji : C:\\dodatki\nBłędny folder instalacji : C:\\dodatki\n"
              "Inicjalizacja.\nScreen [1920 x 1080 ]\nCentrujemy  [ 440 - 247 ]\n"
              "Plik EXE z archiwum: " + system.exePath + "\nFileSize: 34\nOffset EXE: 0\n"
              "Brak danych pakietu !\nBrak pakietu do instalacji !\n");
    EXPECT_TRUE(fs::is_directory(dir.path() / "tmp"));

    std::ostringstream quiet;
    EXPECT_EQ(runHeadless(platform::realFileSystem(), system, {}, quiet), 0);
    EXPECT_EQ(quiet.str(), session::versionLine() + "\nBrak danych pakietu !\nBrak pakietu do instalacji !\n");
}

// The window object of the backend read the form, its components and Timer1 in its
// destructor after TForm1 had gone: every exit of the real program read freed memory.
TEST(FormLifetime, TheBackendLetsGoOfTheFormBeforeItsComponentsGo) {
    apptest::Installer in;
    in.start();
    in.backend.advanceTime(1000);
    in.backend.clickOn("bnCloseNormal");
    in.form.reset();
    EXPECT_THROW(in.backend.form(), std::logic_error);
    EXPECT_THROW(in.backend.pointer(), std::logic_error);
    in.backend.advanceTime(5000);  // no timer of the gone form is ticked
}

}  // namespace
}  // namespace app
