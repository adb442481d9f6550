// The rename test: a catalog the host program holds open cannot be renamed, so moving it to
// "dodatki.mdb.old" and back shows whether installing could replace it. The move never
// replaces its target, so a stale aside copy is deleted first.
#include "host/check_installation_enabled.h"

#include "host/check_run_app.h"
#include "host/host_layout.h"

namespace host {

void CheckInstallationEnabled(session::Log& log, const session::InstallerState& state,
                              platform::FileSystem& files, platform::System& system,
                              const std::string& hostFolder,
                              platform::FunctionRef<void()> bnInstallSetEnable) {
    log.info(2, "Kontrola możliwości instalacji.");
    // Without a package name the paths below would test the add-on folder's own catalog.
    if (!state.formCover || !state.pack || state.packageName.empty()) return;

    const HostLayout layout = hostLayoutFor(hostFolder, state.packageName);
    const std::string& catalogFile = layout.destination;
    const std::string& asideFile = layout.accessTest;
    log.info(2, {"Sprawdzamy dostęp do pliku: ", catalogFile});

    // An aside copy beside the catalog is stale and goes. An aside copy without the catalog
    // is the user's catalog itself, left there by a check that was cut short between its two
    // renames: deleting it would lose the user's records, so the rename back below restores it.
    const bool catalogPresent = files.fileExists(catalogFile);
    if (catalogPresent && files.fileExists(asideFile)) {
        log.info(2, "Kasujemy poprzednią kopię pliku dodatki.mdb");
        files.deleteFile(asideFile);
    }

    bool accessGranted = !catalogPresent || files.renameNoReplace(catalogFile, asideFile);
    if (accessGranted) {
        const bool movedBack = files.renameNoReplace(asideFile, catalogFile);
        // When the catalog went aside but cannot come back, installing now would merge
        // against a missing catalog and lose the user's records; treat it as held.
        if (catalogPresent && !movedBack) accessGranted = false;
    }
    if (!accessGranted) {
        log.info(1, "Wyłącz program CAD LUMOR i spróbuj ponownie.");
        return;
    }
    log.info(2, "Dostęp do MDB poprawny");
    if (CheckRunApp(log, system)) bnInstallSetEnable();
}

}  // namespace host
