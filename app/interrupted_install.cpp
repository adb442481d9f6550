// The transaction keeps "dodatki_new.mdb" only between moving the extracted catalog aside
// and the end of the merge, and deletes "dodatki_old.mdb" only after a checked merge and
// after "dodatki_new.mdb" is gone; these rules read that history back from the folder.
#include "app/interrupted_install.h"

namespace app {

namespace {

std::uint64_t sizeOf(platform::FileSystem& fs, const std::string& path) {
    try {
        const std::int64_t size = fs.openRead(path, platform::Sharing::ReadWriteForOthers)->size();
        return size > 0 ? static_cast<std::uint64_t>(size) : 0;
    } catch (const platform::FileError&) {
        return 0;
    }
}

bool removeLeftover(session::Log& log, platform::FileSystem& fs, const std::string& path) {
    if (!fs.fileExists(path)) return true;
    log.info(2, {"Kasujemy pozostałość przerwanej instalacji: ", path});
    if (fs.deleteFile(path)) return true;
    log.info(1, {"Nie można usunąć pliku ", path, " pozostałego po przerwanej instalacji."});
    return false;
}

}  // namespace

std::uint64_t userCatalogSize(platform::FileSystem& fs, const InstallPaths& paths) {
    if (fs.fileExists(paths.old)) return sizeOf(fs, paths.old);
    if (fs.fileExists(paths.destination)) return sizeOf(fs, paths.destination);
    return 0;
}

CatalogAtStart clearInterruptedInstall(session::Log& log, platform::FileSystem& fs, const InstallPaths& paths) {
    if (fs.fileExists(paths.old)) {
        log.info(2, {"Plik ", paths.old, " z przerwanej instalacji jest katalogiem użytkownika."});
        if (!removeLeftover(log, fs, paths.nw)) return CatalogAtStart::Blocked;
        return CatalogAtStart::AsideFromEarlierRun;
    }
    if (fs.fileExists(paths.nw)) {
        log.info(2, "Pierwsza instalacja pakietu została przerwana podczas scalania katalogów.");
        if (!removeLeftover(log, fs, paths.destination) || !removeLeftover(log, fs, paths.nw))
            return CatalogAtStart::Blocked;
        return CatalogAtStart::None;
    }
    return fs.fileExists(paths.destination) ? CatalogAtStart::AtDestination : CatalogAtStart::None;
}

}  // namespace app
