// The file is read by the plain reader, not through the merge's connections, so what is
// checked is what the next program to open it will see.
#include "install/merged_catalog_check.h"

#include <exception>

#include "jet/database.h"
#include "platform/decimal_piece.h"

namespace install {

namespace {

std::int64_t countRows(jet::Database& database, const std::string& table) {
    jet::RowCursor rows = database.table(table).rows();
    std::int64_t count = 0;
    // Every value decoded (the cursor decodes only what is read): a field that cannot be read
    // fails the check.
    for (; rows.next(); ++count) rows.values();
    return count;
}

}  // namespace

bool checkMergedCatalog(session::Log& log, platform::FileSystem& fs, const std::string& path,
                        const std::optional<CatalogRowCounts>& posted) {
    try {
        fs.openReadWrite(path, platform::Sharing::ReadOnlyForOthers)->flush();
    } catch (const platform::FileError& error) {
        log.info(1, {"Nie można zapisać na dysku scalonego katalogu: ", error.what()});
        return false;
    }
    CatalogRowCounts found;
    try {
        jet::Database database = jet::Database::open(fs, path);
        found.info_producent = countRows(database, "info_producent");
        found.Dodatki = countRows(database, "Dodatki");
    } catch (const std::exception& error) {
        log.info(2, error.what());
        log.info(1, {"Scalonego katalogu ", path, " nie można odczytać ponownie."});
        return false;
    }
    log.info(2,
             {"Sprawdzono scalony katalog: info_producent ", platform::DecimalPiece(found.info_producent),
              ", Dodatki ", platform::DecimalPiece(found.Dodatki), " wierszy."});
    if (!posted) return true;
    for (const auto& [table, want, have] :
         {std::tuple<const char*, std::int64_t, std::int64_t>{"info_producent", posted->info_producent,
                                                              found.info_producent},
          {"Dodatki", posted->Dodatki, found.Dodatki}}) {
        if (want == have) continue;
        log.info(1, {"Scalony katalog ", path, " ma w tabeli ", table, " ", platform::DecimalPiece(have),
                     " wierszy, a scalanie zapisało ", platform::DecimalPiece(want), "."});
        return false;
    }
    return true;
}

}  // namespace install
