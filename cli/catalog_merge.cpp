// `pakiet catalog merge NEW OLD DEST [--debug]`: the installer's catalog merge on three files,
// as an installation runs it, so that a publisher sees what an update does to a user's
// catalog before shipping it. Prints the log lines of the chosen level and what each table
// received; leaves no DEST behind when the merge fails.
#include <cstdio>

#include "catalog/catalog_merge.h"
#include "catalog/database_components.h"
#include "cli/catalog_command.h"
#include "cli/command_usage.h"
#include "cli/console_log.h"
#include "platform/file_system.h"

namespace cli {

namespace {

void printCounts(const char* table, const catalog::TableMergeCounts& c) {
    std::printf("Tabela %s: zapisano %zu rekordów (z nowego katalogu %zu, zachowanych ze starego %zu), "
                "usuniętych znacznikiem DELETE %zu.\n",
                table, c.written, c.fromNew, c.keptFromOld, c.removedByMarkers);
}

}  // namespace

int catalogMerge(const Args& args) {
    std::vector<std::string> positional;
    bool debug = false;
    for (const auto& a : args) {
        if (a == "--debug") debug = true;
        else positional.push_back(a);
    }
    if (positional.size() < 3) return usageError("catalog merge", "podaj trzy pliki: NOWY STARY WYNIK");
    if (positional.size() > 3) return usageError("catalog merge", "nadmiarowy argument `" + positional[3] + "`");
    const std::string& nw = positional[0];
    const std::string& od = positional[1];
    const std::string& dn = positional[2];
    platform::FileSystem& files = platform::realFileSystem();
    // The installer always merges into a fresh catalog; an existing one would be added to.
    if (files.fileExists(dn)) {
        std::fprintf(stderr, "pakiet catalog merge: plik docelowy %s już istnieje; podaj nazwę nowego pliku.\n",
                     dn.c_str());
        return 1;
    }
    const session::LogLevel level = debug ? session::LogLevel::Debug : session::LogLevel::Normal;
    ConsoleLog log(stdout, level);
    catalog::DatabaseComponents components;
    catalog::CatalogMerge merge(log, files, components, level);
    if (!merge.CopyMdb(nw, od, dn)) {
        if (files.fileExists(dn)) files.deleteFile(dn);
        std::fprintf(stderr, "pakiet catalog merge: scalanie nie powiodło się; plik %s nie powstał.\n", dn.c_str());
        return 1;
    }
    if (!files.fileExists(od)) std::printf("Brak starego katalogu %s: pierwsza instalacja.\n", od.c_str());
    printCounts("info_producent", merge.infoProducentCounts());
    printCounts("Dodatki", merge.dodatkiCounts());
    return 0;
}

}  // namespace cli
