// Start-up: the debug switch, the log in both modes, FormCreate's state and centring.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "session/version.h"
#include "tests/app/installer_fixture.h"
#include "tests/support/fault_injecting_file_system.h"

namespace app {
namespace {

TEST(DebugSwitch, OnlyTheFirstArgumentInAnAcceptedFormInAnyAsciiCase) {
    struct Case {
        std::vector<std::string> args;
        bool debug;
    };
    const Case cases[] = {
        {{"/DEBUG"}, true},        {{"/Debug"}, true},        {{"D"}, true},
        {{"debug"}, true},         {{"/d"}, true},            {{"dEbUg", "x"}, true},
        {{}, false},               {{""}, false},             {{"/debugx"}, false},
        {{"/debug "}, false},      {{" /d"}, false},          {{"-d"}, false},
        {{"--debug"}, false},      {{"x", "/d"}, false},      {{"/dd"}, false},
        {{"/d\xC4\x99"}, false},   // a further non-ASCII letter
        {{"/\xC4\x8F"}, false},    // a non-ASCII letter is not folded onto 'd'
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& a : c.args) shown += "[" + a + "]";
        EXPECT_EQ(readCommandLine(c.args).debug(), c.debug) << shown;
    }
}

TEST(StartUp, DebugModeShowsTheLogBoxWithEveryLineFromTheFirst) {
    apptest::Installer in;
    in.start({"/Debug"});
    EXPECT_EQ(in.form->state.log_level, session::LogLevel::Debug);
    EXPECT_TRUE(in.form->infoBox.visible());
    EXPECT_EQ(in.logBox(),
              (std::vector<std::string>{"Ustawiono parametr DEBUG", session::versionLine(),
                                        "Blokujemy klawisz INSTALL",
                                        // CheckEdit, run by the start-up text "C:\\".
                                        "Sprawdzamy folder instalacji : C:\\dodatki",
                                        "Błędny folder instalacji : C:\\dodatki",
                                        "Inicjalizacja.", "Screen [1920 x 1080 ]",
                                        "Centrujemy  [ 440 - 247 ]"}));
    EXPECT_EQ(in.form->InfoLabel.caption(), "");
}

TEST(StartUp, NormalModeHidesTheLogBoxAndKeepsOnlyUserMessages) {
    apptest::Installer in;
    in.start({"/debug "});
    EXPECT_EQ(in.form->state.log_level, session::LogLevel::Normal);
    EXPECT_FALSE(in.form->infoBox.visible());
    // Only the heading, which is no message: the status label stays empty.
    EXPECT_EQ(in.logBox(), std::vector<std::string>{session::versionLine()});
    EXPECT_EQ(in.form->InfoLabel.caption(), "");
    in.form->info(1, "Brak danych pakietu !");
    in.form->info(2, "Znaleziono: `packages.zip`");
    EXPECT_EQ(in.form->InfoLabel.caption(), "Brak danych pakietu !");
    in.form->info(1, "Brak pakietu do instalacji !");
    EXPECT_EQ(in.form->InfoLabel.caption(), "Brak pakietu do instalacji !");
    EXPECT_EQ(in.logBox(),
              (std::vector<std::string>{session::versionLine(), "Brak danych pakietu !",
                                        "Brak pakietu do instalacji !"}));
}

TEST(StartUp, DebugModeLogsTraceLinesWithoutTouchingTheStatusLabel) {
    apptest::Installer in;
    in.start({"d"});
    in.form->info(1, "Brak danych pakietu !");
    in.form->info(2, "Znaleziono: `packages.zip`");
    EXPECT_EQ(in.form->InfoLabel.caption(), "Brak danych pakietu !");
    EXPECT_EQ(in.logBox().back(), "Znaleziono: `packages.zip`");
}

TEST(StartUp, FormCreateSetsTheStateTheWorkingFolderAndTheWindow) {
    apptest::Installer in;
    in.start();
    const session::InstallerState& s = in.form->state;
    const std::string tmp = in.dir.folder() + "tmp" + platform::kSeparator;
    EXPECT_EQ(s.tmpDir, tmp);
    EXPECT_TRUE(std::filesystem::is_directory(in.workDir()));
    EXPECT_EQ(s.fileZip, "packages.zip");
    EXPECT_EQ(s.sourceZip, tmp + "packages.zip");
    EXPECT_EQ(s.cover, "cover.jpg");
    EXPECT_EQ(s.strFolder, "C:\\");
    EXPECT_FALSE(s.pack);
    EXPECT_FALSE(s.destination);
    EXPECT_EQ(in.form->Edit1.text(), "C:\\");
    EXPECT_FALSE(in.form->gauge.visible());
    EXPECT_FALSE(in.form->gaugeBG.visible());
    EXPECT_EQ(in.form->gauge.foreColor(), 1938679u);
    EXPECT_FALSE(in.form->bnInstallDisable.enabled());
    EXPECT_TRUE(in.form->bnInstallDisable.visible());
    EXPECT_TRUE(in.form->Timer1.enabled());
    EXPECT_EQ(in.backend.application().title, "Instalator pakietów CAD");
    EXPECT_TRUE(in.backend.application().mainFormOnTaskbar);
    EXPECT_TRUE(in.backend.errorReports().empty());
}

TEST(StartUp, AnotherCurrentDirectoryPutsTheWorkingFolderThere) {
    apptest::Installer in;
    std::filesystem::create_directory(in.dir.path() / "inna");
    in.system.currentDir = (in.dir.path() / "inna").string();
    in.form = startInstaller(in.backend, platform::realFileSystem(), in.system, {});
    EXPECT_TRUE(std::filesystem::is_directory(in.dir.path() / "inna" / "tmp"));
    EXPECT_FALSE(std::filesystem::exists(in.workDir()));
}

TEST(StartUp, AtARootTheSeparatorIsNotDoubledAndAFailedCreationIsNotReported) {
    apptest::Installer in;
    testsupport::FaultInjectingFileSystem files(platform::realFileSystem());
    files.failOperation(testsupport::FileOperation::CreateFolder, "*");
    const std::string root = in.dir.path().root_path().string();
    in.system.currentDir = root;
    in.form = startInstaller(in.backend, files, in.system, {});
    EXPECT_EQ(in.form->state.tmpDir, root + "tmp" + platform::kSeparator);
    EXPECT_TRUE(in.backend.errorReports().empty());
}

TEST(CenterForm, HalvesTheDifferenceTruncatingTowardZero) {
    struct Case {
        int screenW, screenH, left, top;
    };
    const Case cases[] = {
        {1920, 1080, 440, 247}, {1040, 585, 0, 0},  {1366, 768, 163, 91},
        {1024, 768, -8, 91},    {1023, 500, -8, -42},  // -17/2 and -85/2 round toward zero
        {800, 600, -120, 7},
    };
    for (const Case& c : cases) {
        apptest::Installer in;
        in.system.screen = {c.screenW, c.screenH};
        in.start({"/d"});
        EXPECT_EQ(in.form->window.left(), c.left) << c.screenW << "x" << c.screenH;
        EXPECT_EQ(in.form->window.top(), c.top) << c.screenW << "x" << c.screenH;
        EXPECT_EQ(in.logBox().back(), "Centrujemy  [ " + std::to_string(c.left) + " - " +
                                          std::to_string(c.top) + " ]");
    }
}

}  // namespace
}  // namespace app
