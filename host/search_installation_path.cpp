// The host search over the drive roots in the system's order; only the maker folder at a
// drive's root counts, and only its direct sub-folders named "CAD *".
#include "host/search_installation_path.h"

#include <string>
#include <vector>

#include "host/host_folder_text.h"
#include "platform/decimal_piece.h"
#include "platform/paths.h"

namespace host {

bool searchInstallationPath(session::Log& log, session::InstallerState& state,
                            platform::FileSystem& files, platform::System& system,
                            toolkit::Edit& Edit1, toolkit::Control& StaticText1) {
    log.info(2, "Wyszukiwanie zainstalowanego oprogramowania CAD LUMOR.");
    state.destination = false;

    std::vector<std::string> installations;
    for (const std::string& drive : system.driveRoots()) {
        log.info(2, {"HDD: [", drive, "]"});
        const std::string makerFolder = drive + std::string(kMakerFolderName) + platform::kSeparator;
        if (!files.folderExists(makerFolder)) continue;
        log.info(2, {"Szukamy instalacjy oprogramowania CAD LUMOR: ", makerFolder});
        for (const std::string& name : files.listSubFolders(makerFolder, std::string(kInstallationMask)))
            installations.push_back(makerFolder + name);
    }

    const std::size_t found = installations.size();
    log.info(2, {"Znaleziono ", platform::DecimalPiece(found), " instalacji oprogramowania CAD."});
    if (found == 1) {
        Edit1.setText(folderProposal(installations.front()));
        state.destination = true;
        log.info(2, {"Znaleziono jedną instalację oprogramowania CAD LUMOR: ", Edit1.text()});
        log.info(2, "Znaleziono instalację. Możesz wskazać inny katalog.");
    } else if (found >= 2) {
        for (const std::string& installation : installations)
            log.info(2, {"Znaleziono instalację oprogramowania CAD LUMOR: ", installation});
        Edit1.setText(folderProposal(installations.front()));
        state.destination = true;
        log.info(1, {"Wybrano pierwszą z ", platform::DecimalPiece(found),
                     " znalezionych instalacji. Możesz zmienić."});
    } else {
        log.info(1, "Nie znaleziono oprogramowania CAD. Wskaż poprawny katalog.");
    }

    Edit1.setVisible(true);
    StaticText1.setVisible(true);
    return state.destination;
}

}  // namespace host
