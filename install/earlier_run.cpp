#include "install/earlier_run.h"

#include "install/journal.h"
#include "install/journal_replay.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace install {

bool settleEarlierInstallation(session::Log& log, platform::FileSystem& fs, const host::HostLayout& layout) {
    if (!fs.fileExists(layout.journal)) return true;
    std::optional<Journal> journal;
    try {
        journal = readJournal(fs, layout.journal);
    } catch (const platform::FileError& error) {
        log.info(2, error.what());
    }
    if (!journal) {
        log.info(1, {"Nie można odczytać zapisu przerwanej instalacji ", layout.journal,
                     ". Nic nie zmieniono. Sprawdź pliki w katalogu ", layout.packageCatalogFolder,
                     " i usuń ten plik, a potem uruchom instalator ponownie."});
        return false;
    }
    if (journal->stage == JournalStage::Committed) {
        log.info(2, "Kończymy poprzednią instalację pakietu, przerwaną po scaleniu katalogów.");
        if (finishInstallation(log, fs, layout, *journal)) return true;
    } else {
        log.info(2, "Cofamy poprzednią, przerwaną instalację pakietu.");
        if (undoInstallation(log, fs, layout, *journal)) return true;
    }
    log.info(1, {"Nie można dokończyć poprzedniej instalacji pakietu (zapis w pliku ", layout.journal,
                 "). Zamknij programy, które mogą używać tych plików, i spróbuj ponownie."});
    return false;
}

std::string keptName(platform::FileSystem& fs, const std::string& path) {
    constexpr std::string_view mdb = ".mdb";
    const bool isCatalog = path.size() > mdb.size() && path.compare(path.size() - mdb.size(), mdb.size(), mdb) == 0;
    const std::string_view stem(path.data(), isCatalog ? path.size() - mdb.size() : path.size());
    const std::string_view extension = isCatalog ? mdb : std::string_view();
    for (int n = 1;; ++n) {
        const std::string name = platform::concat({stem, " (zachowany ", platform::DecimalPiece(n), ")", extension});
        if (!fs.fileExists(name) && !fs.folderExists(name)) return name;
    }
}

bool keepUnprovenLeftovers(session::Log& log, platform::FileSystem& fs, const host::HostLayout& layout,
                           platform::FunctionRef<bool(NameVisitor)> reserved) {
    if (fs.fileExists(layout.old) && !fs.fileExists(layout.destination)) {
        log.info(1, {"W katalogu ", layout.packageCatalogFolder,
                     " jest plik dodatki_old.mdb, a nie ma pliku dodatki.mdb. Nic nie zmieniono. "
                     "Jeśli to Twój katalog, zmień jego nazwę na dodatki.mdb; potem uruchom instalator ponownie."});
        return false;
    }
    return reserved([&](const std::string& path) {
        if (!fs.fileExists(path)) return true;
        const std::string kept = keptName(fs, path);
        if (!fs.renameNoReplace(path, kept)) {
            log.info(1, {"Nie można przenieść pliku ", path, " pozostałego po wcześniejszej instalacji. "
                         "Przenieś go lub usuń i spróbuj ponownie."});
            return false;
        }
        log.info(1, {"Plik ", path, " pozostał po wcześniejszej instalacji; zachowano go jako ", kept, "."});
        return true;
    });
}

}  // namespace install
