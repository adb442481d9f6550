// "katalogów" stands for every count, 0 included, as the installer has always said it.
#include "archive/search_packages.h"

#include "archive/member_safety.h"
#include "archive/package_folders.h"
#include "platform/decimal_piece.h"

namespace archive {

bool searchPackages(session::InstallerState& state, session::Log& log, platform::FileSystem& fs,
                    platform::FunctionRef<void()> bnInstallSetDisable) {
    log.info(2, "Wyszukiwanie paczek instalacyjnych.");
    state.pack = false;
    bnInstallSetDisable();
    std::string folder = state.tmpDir;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    if (!folder.empty() && !fs.folderExists(folder)) fs.createFolder(folder);
    if (platform::ReadableFile* held = state.heldArchiveAt(state.sourceZip); held || fs.fileExists(state.sourceZip)) {
        const std::vector<std::string> list = GetSubFoldersListFromZip(log, fs, state.sourceZip, held);
        if (list.size() == 1) {
            // Host paths are built from this name (the catalog's rename test among them), so
            // it passes the member name rules first.
            if (auto refusal = packageNameRefusal(list.front(), catalogMemberOf(list.front())))
                log.info(1, *refusal);
            else
                state.packageName = list.front();
        } else {
            log.info(1,
                     {"Błędna zawartość pliku ZIP! (", platform::DecimalPiece(list.size()), " katalogów)"});
            for (const std::string& entry : list) log.info(2, {"[ ", entry, " ] - PAKIET"});
        }
        state.pack = true;
    } else {
        log.info(1, {"Brak pliku paczki : `", state.sourceZip, "`"});
    }
    return state.pack;
}

}  // namespace archive
