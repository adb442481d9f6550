// TForm1's construction (design, event table, pictures) and the log operation info.
#include "app/main.h"

#include "app/error_text.h"

namespace app {

TForm1::TForm1(toolkit::Backend& backend, platform::FileSystem& files, platform::System& system,
               const InstallerOptions& options)
    : backend_(backend), files_(files), system_(system), givenLogLevel_(options.logLevel),
      givenHostFolder_(options.hostFolder) {
    backend_.dispatcher().setErrorText([] { return errorText(); });
    bindEvents(*this);
    loadPictures(backend_);
}

TForm1::~TForm1() { backend_.detach(window); }

void TForm1::info(std::int32_t lvl, std::string_view txt) {
    if (logFile) {
        logFile->packageFound(state.packageName);
        logFile->line(lvl, txt);
    }
    if (!session::passes(lvl, state.log_level)) return;
    if (lvl == 1) InfoLabel.setCaption(txt);
    infoBox.append(txt);
}

}  // namespace app
