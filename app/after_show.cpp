// AfterShow, the preparation sequence run once by the first timer tick: the embedded archive,
// the package search, the cover extracted and shown, then the host search and the check,
// which alone can enable Install. Each missing piece is one level-1 message and the sequence
// goes on; an error escaping a step ends it and reaches the dispatcher's error report.
#include <optional>
#include <string>

#include "app/command_line.h"
#include "app/main.h"
#include "archive/embedded_package.h"
#include "archive/extract_file_from_zip.h"
#include "archive/search_packages.h"
#include "host/check_installation_enabled.h"
#include "host/search_installation_path.h"
#include "ui/cover_display.h"

namespace app {

namespace {

// The cover on the window: the picture sized to the window, or the window and picture shrunk
// to a share of a screen too small for it, then centred again when the size changed.
void showCover(TForm1& form, const std::string& path) {
    toolkit::Form& window = form.window;
    toolkit::Picture& BG = form.BG;
    toolkit::Image picture = form.backend().loadJpegFile(path);
    form.infoPair(2, "JPG: [", picture.width, "x", picture.height, "]");
    const ui::Size border{window.width() - window.clientWidth(),
                          window.height() - window.clientHeight()};
    form.infoPair(2, "FormBorder: [", border.width, "x", border.height, "]");
    const platform::ScreenSize screen = form.system().primaryScreenSize();
    const ui::CoverFit fit = ui::fitCover({picture.width, picture.height},
                                          {window.width(), window.height()}, border,
                                          {screen.width, screen.height});
    if (fit.fits) {
        if (fit.center) {
            window.setSize(fit.window.width, fit.window.height);
            form.infoPair(2, "Nowy Form: [", window.width(), "x", window.height(), "]");
        }
    } else {
        form.infoPair(2, "Reskalujemy okładkę do małego ekranu : [", screen.width, "x", screen.height, "]");
        form.infoPair(2, "scaleWidth x scaleHeight : [", fit.picture.width, "x", fit.picture.height, "]");
        window.setSize(fit.window.width, fit.window.height);
        form.infoPair(2, "Form: [", window.width(), "x", window.height(), "]");
        form.infoPair(2, "FormClient: [", border.width, "x", border.height, "]");
        picture = form.backend().stretch(picture, window.clientWidth(), window.clientHeight());
    }
    form.infoPair(2, "Pic  [", picture.width, " x ", picture.height, "]");
    BG.setBounds(BG.left(), BG.top(), window.clientWidth(), window.clientHeight());
    BG.setImage(picture);
    BG.setStretch(false);
    form.infoPair(2, "BG.Picture  [", BG.image().width, " x ", BG.image().height, "]");
    if (fit.center) form.CenterForm();
}

// The host folder given on the command line (/D=) instead of the search: the folder field
// takes it, so the rule and the check of a typed folder decide.
void takeGivenHost(TForm1& form, const std::string& folder) {
    form.info(2, {"Folder instalacji podany w wierszu poleceń: ", folder});
    form.state.destination = false;
    if (form.Edit1.text() == folder) form.CheckEdit();
    else form.Edit1.setText(folder);  // runs CheckEdit
    form.Edit1.setVisible(true);
    form.StaticText1.setVisible(true);
    if (!form.state.destination)
        form.info(1, {"Podany folder nie jest folderem programu CAD LUMOR: ", folder});
}

}  // namespace

void TForm1::AfterShow() {
    // A working folder that leads elsewhere is not written through: the files would land in a
    // folder someone else chose, and Close would delete there.
    if (files_.isLink(state.tmpDir)) {
        info(1, {"Folder roboczy ", state.tmpDir,
                 " jest dowiązaniem do innego miejsca, więc instalator nie zapisze w nim plików. "
                 "Usuń go i uruchom instalator ponownie."});
        ActivityIndicator.setVisible(false);
        bnCloseSetEnable();
        window.focusDefaultButton();
        return;
    }
    state.heldArchive = archive::extractEmbeddedPackage(system_.executablePath(), state, *this, files_);

    const std::string coverPath = state.tmpDir + state.cover;
    if (!state.heldArchive) {
        info(1, "Brak danych pakietu !");
    } else {
        info(2, {"Znaleziono: `", state.fileZip, "`"});
        if (archive::searchPackages(state, *this, files_, [this] { bnInstallSetDisable(); })) {
            state.pack = true;
            if (files_.fileExists(coverPath) && files_.deleteFile(coverPath))
                info(2, {"Usunięto stary plik okładki. [", state.cover, "]"});
            // Without a package name there is no cover: a root member named ".jpg" is none.
            const std::string coverMember = state.packageName + ".jpg";
            if (!state.packageName.empty() &&
                archive::ExtractFileFromZip(*this, files_, state.sourceZip, state.tmpDir, coverMember,
                                            state.heldArchive.get())) {
                // An old cover that could not be deleted stays and is shown instead.
                files_.renameNoReplace(state.tmpDir + coverMember, coverPath);
            } else {
                info(1, "Brak okładki pakietu !");
            }
        }
    }

    if (files_.fileExists(coverPath)) {
        // Held until Close, like the archive: the picture shown stays the file in the folder.
        state.heldCover = files_.openRead(coverPath, platform::Sharing::ReadOnlyForOthers);
        showCover(*this, coverPath);
        state.formCover = true;
    } else {
        info(1, "Brak pakietu do instalacji !");
    }

    // A cover from an earlier run may be shown, but only a named package is installed.
    if (state.formCover && state.pack && !state.packageName.empty()) {
        if (const std::optional<std::string>& given = givenHostFolder_) {
            takeGivenHost(*this, *given);
        } else if (host::searchInstallationPath(*this, state, files_, system_, Edit1, StaticText1)) {
            host::CheckInstallationEnabled(*this, state, files_, system_, Edit1.text(),
                                           [this] { bnInstallSetEnable(); });
        }
    }

    ActivityIndicator.setVisible(false);
    bnCloseSetEnable();
    // Enter installs when the checks enabled Install, and closes otherwise.
    window.focusDefaultButton();
}

}  // namespace app
