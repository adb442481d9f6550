// ButtonInstallClick, the install transaction run by a click on the Install button's Hover
// picture, and SetFinish. Until a merge has succeeded and the merged catalog is checked on
// the disk, the user's catalog as it was is the truth: at "dodatki.mdb" before the rename
// aside, at "dodatki_old.mdb" after it (this run's or an interrupted earlier run's). Nothing
// in the host folder changes before the archive's CRCs and the drive's free space are known
// to be good.
#include <exception>

#include "app/free_space_check.h"
#include "app/install_paths.h"
#include "app/interrupted_install.h"
#include "app/main.h"
#include "app/merged_catalog_check.h"
#include "archive/check_package_intact.h"
#include "archive/extract_files_from_zip.h"

namespace app {

namespace {

// Steps 19 and 20, run on every way out of the handler: an escaping error must not leave the
// Close button disabled, the only way out of the window.
class InstallEnd {
public:
    explicit InstallEnd(TForm1& form) : form_(form) {}
    ~InstallEnd() {
        form_.bnCloseSetEnable();
        form_.bnInstallActive.setVisible(false);
        form_.bnInstallDisable.setVisible(false);
    }
    InstallEnd(const InstallEnd&) = delete;
    InstallEnd& operator=(const InstallEnd&) = delete;

private:
    TForm1& form_;
};

// The checks made before the host folder is touched, and the leftovers of an interrupted
// run cleared; false (after a level-1 message) when the installation must not start.
bool readyToChange(TForm1& form, const InstallPaths& paths, CatalogAtStart& catalog) {
    archive::PackageSizes sizes;
    if (!archive::checkPackageIntact(form, form.files(), form.state, form.state.sourceZip, sizes))
        return false;
    const std::uint64_t needed =
        bytesNeeded(sizes.installed, sizes.catalog, userCatalogSize(form.files(), paths));
    if (!checkFreeSpace(form, form.files(), paths.destinationDir, needed)) return false;
    catalog = clearInterruptedInstall(form, form.files(), paths);
    return catalog != CatalogAtStart::Blocked;
}

}  // namespace

void TForm1::SetFinish() {
    info(2, "SET FINISH na objektach");
    InfoLabel.setVisible(false);
    gauge.setVisible(false);
    BGfinish.setVisible(true);
    BG.setVisible(false);
    bnInstallSetDisable();
    bnInstallDisable.setVisible(false);
}

void TForm1::ButtonInstallClick() {
    gauge.setVisible(true);
    gauge.setProgress(0);
    bool success = false;
    StaticText1.setVisible(false);
    Edit1.setVisible(false);
    InfoLabel.setCaption("");
    bnInstallSetActive();
    InstallEnd end(*this);
    installOutcome = InstallOutcome::NothingChanged;
    if (!files_.fileExists(state.sourceZip)) {
        info(1, {"Wystąpił błąd instalacji. Brak pliku: ", state.sourceZip});
        return;
    }

    bnCloseSetDisable();
    info(2, "Trwa instalowanie pakietu...");
    const InstallPaths paths = installPathsFor(Edit1.text(), state.packageName);
    info(2, {"MDB: ", paths.destination});
    bool changing = false;  // false while the host folder is as it was

    // The clean-up (steps 15 to 18). The old catalog is deleted only when no new catalog is
    // left beside the merged one: a "dodatki_new.mdb" without "dodatki_old.mdb" tells the
    // next run that "dodatki.mdb" is an unfinished merge.
    auto cleanUp = [&] {
        info(2, "FINALLY kończymy instalację.");
        if (success) SetFinish();
        else gauge.setVisible(false);
        if (!changing) return;
        if (success && files_.fileExists(paths.old)) {
            if (files_.fileExists(paths.nw)) files_.deleteFile(paths.nw);
            if (files_.fileExists(paths.nw)) {
                info(2, "Plik dodatki_old.mdb zostaje, bo nie można usunąć pliku dodatki_new.mdb");
            } else {
                info(2, "Kasujemy niepotrzebny plik dodatki_old.mdb");
                files_.deleteFile(paths.old);
            }
        }
        if (files_.fileExists(paths.nw)) {
            info(2, "Kasujemy niepotrzebny plik dodatki_new.mdb");
            files_.deleteFile(paths.nw);
        }
    };

    try {
        CatalogAtStart catalog = CatalogAtStart::None;
        if (!readyToChange(*this, paths, catalog)) {
            cleanUp();
            return;
        }
        changing = true;
        if (catalog == CatalogAtStart::AtDestination) {
            info(2, {"zmieniamy ", paths.destination, " na dodatki_old.mdb"});
            if (!files_.renameNoReplace(paths.destination, paths.old)) {
                // Going on would extract the package's catalog over the user's held one.
                info(1, "Błąd zmiany nazwy pliku dodatki.mdb na dodatki_old.mdb");
                changing = false;
                cleanUp();
                return;
            }
        }
        info(2, {"Zaczynamy rozpakowywanie pliku ZIP do: ", paths.destinationDir});
        success = archive::ExtractFilesFromZip(*this, files_, state, gauge, state.sourceZip,
                                               paths.destinationDir);
        if (success) {
            info(2, "Zaczynamy obsługę bazy dodatki.mdb");
            success = false;
            files_.renameNoReplace(paths.destination, paths.nw);
            // A merge counts only once the merged catalog is on the disk and reads back whole.
            if (CopyMdb(paths.nw, paths.old, paths.destination) &&
                checkMergedCatalog(*this, files_, paths.destination, postedRows))
                success = true;
        }
        if (files_.fileExists(paths.nw)) files_.deleteFile(paths.nw);
        if (success) {
            info(2, "Poprawnie zakończono instalację.");
            SetFinish();
            installOutcome = InstallOutcome::Finished;
        } else {
            info(1, "Wystąpił błąd instalacji. Spróbuj ponownie.");
            installOutcome = InstallOutcome::RolledBack;
            if (files_.fileExists(paths.old)) {
                // A new catalog left beside the restored one would mark it as an unfinished
                // merge to the next run, so the old catalog goes back only when it is gone.
                if (files_.fileExists(paths.nw)) files_.deleteFile(paths.nw);
                if (!files_.fileExists(paths.nw)) {
                    if (files_.fileExists(paths.destination)) {
                        info(2, "Kasujemy uszkodzony plik dodatki.mdb");
                        files_.deleteFile(paths.destination);
                    }
                    files_.renameNoReplace(paths.old, paths.destination);
                    info(2, "Zmiana nazwy pliku z dodatki_old.mdb na dodatki.mdb");
                }
                if (files_.fileExists(paths.old)) {
                    installOutcome = InstallOutcome::CatalogLeftAside;
                    info(1, {"Nie udało się przywrócić katalogu dodatki.mdb. Twój katalog jest "
                             "zachowany w pliku ",
                             paths.old, "."});
                }
            }
        }
    } catch (const std::exception&) {
        cleanUp();
        installOutcome = InstallOutcome::RolledBack;
        if (changing && files_.fileExists(paths.old)) {
            installOutcome = InstallOutcome::CatalogLeftAside;
            info(1, {"Instalacja przerwana. Twój katalog jest zachowany w pliku ", paths.old, "."});
        }
        throw;
    }
    cleanUp();
}

}  // namespace app
