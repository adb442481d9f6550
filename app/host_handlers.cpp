// The host-folder field's handlers: CheckEdit on every change of Edit1's text, Edit1Click on
// a click in it (the folder chooser). The rules themselves live in host/.
#include "app/main.h"
#include "host/check_destination.h"
#include "host/check_installation_enabled.h"
#include "host/edit1_click.h"
#include "host/search_installation_path.h"

namespace app {

namespace {

constexpr const char* kChooserTitle = "Wybierz folder instalacji biblioteki";

}  // namespace

void TForm1::CheckEdit() {
    host::CheckEdit(*this, state, files_, system_, Edit1.text(), [this] { bnInstallSetEnable(); });
}

void TForm1::Edit1Click() {
    // GimmeDir through the backend: the Win32 backend shows the system's dialog, the headless
    // one answers from the test's script.
    const auto gimmeDir = [this](std::string& folder) {
        const std::optional<std::string> picked = backend_.chooseFolder(kChooserTitle, folder);
        if (!picked) return false;
        folder = *picked;
        return true;
    };
    host::Edit1Click(*this, state, Edit1, gimmeDir, [this] { CheckEdit(); });
}

}  // namespace app
