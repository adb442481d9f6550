// The one-shot timer and Close with its clean-up of the working folder.
#include "app/main.h"

namespace app {

void TForm1::Timer1Timer() {
    Timer1.setEnabled(false);
    AfterShow();
}

void TForm1::CloseClick() {
    // Debug mode keeps every working file, and so does a "NODELETE" file placed by hand.
    const std::string& dir = state.tmpDir;
    if (state.log_level != 2 && !dir.empty() && files_.folderExists(dir) &&
        !files_.fileExists(dir + "NODELETE")) {
        // Failures are ignored: leaving a file behind must not keep the user from closing.
        const std::string coverPath = dir + state.cover;
        if (files_.fileExists(coverPath)) files_.deleteFile(coverPath);
        if (files_.fileExists(state.sourceZip)) files_.deleteFile(state.sourceZip);
        if (files_.folderIsEmpty(dir)) files_.removeFolder(dir);
    }
    backend_.close(window);
}

}  // namespace app
