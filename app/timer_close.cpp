// The one-shot timer, Close with its clean-up of the working folder, and the same clean-up
// when the window is closed by other means (Alt+F4, the taskbar, the end of the session).
#include "app/main.h"

namespace app {

void TForm1::Timer1Timer() {
    Timer1.setEnabled(false);
    AfterShow();
}

void TForm1::removeWorkingFiles() {
    // Debug mode keeps every working file, and so does a "NODELETE" file placed by hand. A
    // working folder that has become a link leads to files this run did not make.
    const std::string& dir = state.tmpDir;
    if (state.log_level == session::LogLevel::Debug || dir.empty() || !files_.folderExists(dir) || files_.isLink(dir) ||
        files_.fileExists(dir + "NODELETE"))
        return;
    // Windows deletes no file that is open without delete sharing: the held copies close first.
    state.releaseWorkingCopies();
    // Failures are ignored: leaving a file behind must not keep the user from closing.
    const std::string coverPath = dir + state.cover;
    if (files_.fileExists(coverPath)) files_.deleteFile(coverPath);
    if (files_.fileExists(state.sourceZip)) files_.deleteFile(state.sourceZip);
    if (files_.folderIsEmpty(dir)) files_.removeFolder(dir);
}

void TForm1::CloseClick() {
    removeWorkingFiles();
    backend_.close(window);
}

void TForm1::FormClose() { removeWorkingFiles(); }

}  // namespace app
