// The exit code of a run: what the transaction did, or why it never ran.
#include "app/exit_codes.h"
#include "app/main.h"

namespace app {

int exitCodeOf(const TForm1& form) {
    switch (form.installOutcome) {
    case InstallOutcome::NotStarted:
        return form.bnInstallNormal.visible() && form.bnInstallNormal.enabled()
                   ? kExitWindowClosed
                   : kExitInstallNotEnabled;
    case InstallOutcome::Finished:
        return form.BGfinish.visible() ? kExitInstalled : kExitInstallFailed;
    case InstallOutcome::CatalogLeftAside:
    case InstallOutcome::Unfinished:
        return kExitCatalogLeftAside;
    case InstallOutcome::NothingChanged:
        // Refused before the first change (a damaged archive, a leftover, no room): for a
        // deployment tool the same as Install never usable, safe to run again.
        return kExitInstallNotEnabled;
    case InstallOutcome::RolledBack:
        break;
    }
    return kExitInstallFailed;
}

}  // namespace app
