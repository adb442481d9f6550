// FormCreate: log level, button looks, host field, working folder, gauge, centring.
#include <string>

#include "app/command_line.h"
#include "app/main.h"
#include "platform/paths.h"
#include "session/version.h"
#include "toolkit/colors.h"

namespace app {

namespace {

// The working folder under the current directory. A bare root already ends with the
// separator and does not get a second one.
std::string workingFolder(const std::string& currentDirectory) {
    std::string folder = currentDirectory;
    if (folder.empty() || folder.back() != platform::kSeparator) folder += platform::kSeparator;
    folder += "tmp";
    folder += platform::kSeparator;
    return folder;
}

}  // namespace

void TForm1::FormCreate() {
    state.log_level = givenLogLevel_;
    if (state.log_level == session::LogLevel::Debug) {
        info(2, "Ustawiono parametr DEBUG");
        infoBox.setVisible(true);
    }
    // The log box names the build that runs: what a headless run prints and what support is
    // sent starts with it. Not a message (the status label stays empty); the log file's
    // heading says it already.
    infoBox.append(session::versionLine());
    state.pack = false;
    state.destination = false;
    bnInstallSetDisable();

    state.strFolder = "C:\\";
    Edit1.setText(state.strFolder);

    state.tmpDir = workingFolder(system_.currentDirectory());
    if (!files_.folderExists(state.tmpDir)) files_.createFolder(state.tmpDir);
    state.fileZip = "packages.zip";
    state.sourceZip = state.tmpDir + state.fileZip;

    gauge.setForeColor(0x1D94F7);
    gauge.setVisible(false);
    gaugeBG.setVisible(false);
    InfoLabel.setCaption("");
    state.cover = "cover.jpg";

    const platform::ScreenSize screen = system_.primaryScreenSize();
    info(2, "Inicjalizacja.");
    infoPair(2, "Screen [", screen.width, " x ", screen.height, " ]");
    CenterForm();
    Timer1.setEnabled(true);
}

void TForm1::CenterForm() {
    const platform::ScreenSize screen = system_.primaryScreenSize();
    // Integer division truncates toward zero: a window larger than the screen gets half the
    // excess as a negative position.
    const int left = (screen.width - window.width()) / 2;
    const int top = (screen.height - window.height()) / 2;
    window.setPosition(left, top);
    infoPair(2, "Centrujemy  [ ", left, " - ", top, " ]");
}

}  // namespace app
