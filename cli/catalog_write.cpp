// `pakiet catalog create|import`: an empty catalog of the installer's schema, and rows
// appended from a CSV file, for publishers who keep their catalogs in spreadsheets.
#include <cstdio>

#include "catalog/catalog_creation.h"
#include "catalog/catalog_error.h"
#include "catalog/csv_import.h"
#include "cli/catalog_command.h"
#include "cli/console_log.h"
#include "platform/file_system.h"

namespace cli {

int catalogCreate(const Args& args) {
    std::vector<std::string> positional;
    bool force = false, verbose = false;
    for (const auto& a : args) {
        if (a == "--force") force = true;
        else if (a == "--verbose") verbose = true;
        else positional.push_back(a);
    }
    if (positional.size() != 1) {
        std::fprintf(stderr, "użycie: pakiet catalog create PLIK [--force] [--verbose]\n");
        return 2;
    }
    const std::string& file = positional[0];
    platform::FileSystem& files = platform::realFileSystem();
    // A publisher's existing catalog is not replaced unless asked for.
    if (files.fileExists(file) && !force) {
        std::fprintf(stderr, "pakiet catalog create: plik %s już istnieje (--force zastępuje go)\n", file.c_str());
        return 1;
    }
    // Messages to the user on standard error; trace lines only with --verbose.
    ConsoleLog log(stderr, verbose ? 2 : 1);
    catalog::CatalogCreation creation(log, files);
    if (!creation.MDBCreate(file)) return 1;
    std::printf("Utworzono pusty katalog %s (tabele info_producent i Dodatki).\n", file.c_str());
    return 0;
}

int catalogImport(const Args& args) {
    std::vector<std::string> positional;
    std::string csvPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--csv" && i + 1 < args.size()) csvPath = args[++i];
        else positional.push_back(args[i]);
    }
    if (positional.size() != 2 || csvPath.empty()) {
        std::fprintf(stderr, "użycie: pakiet catalog import PLIK TABELA --csv DANE.csv\n");
        return 2;
    }
    platform::FileSystem& files = platform::realFileSystem();
    std::unique_ptr<platform::ReadableFile> csv;
    try {
        csv = files.openRead(csvPath, platform::Sharing::ReadOnlyForOthers);
    } catch (const platform::FileError&) {
        std::fprintf(stderr, "pakiet catalog import: nie można odczytać pliku %s\n", csvPath.c_str());
        return 1;
    }
    try {
        // Rows are read and appended one at a time: memory stays flat for any file size.
        const std::size_t added = catalog::importCsv(files, positional[0], positional[1], *csv);
        std::printf("Dopisano %zu wierszy do tabeli `%s`.\n", added, positional[1].c_str());
        return 0;
    } catch (const catalog::CatalogError& e) {
        std::fprintf(stderr, "pakiet catalog import: %s: %s\n", csvPath.c_str(), e.what());
        return 1;
    }
}

}  // namespace cli
