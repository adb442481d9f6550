// pakiet install: parses its arguments and runs the installer headless in the current
// directory, exactly as the window would (the preparation, then the installation unless
// --dry-run), printing the log of the chosen level.
#include "cli/install.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "app/headless_install_streams.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "toolkit/platform_image_decoder.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "użycie: pakiet install INSTALATOR [--dry-run] [--debug] [--drive-root KATALOG]... [--host KATALOG]\n"
    "  Uruchamia instalator bez okna w bieżącym katalogu (katalog roboczy ./tmp): start,\n"
    "  przygotowanie, a potem kliknięcie INSTALUJ, jak zrobiłby to użytkownik, i Zamknij.\n"
    "  Wypisuje dziennik (z --debug wszystkie wiersze).\n"
    "  --dry-run             tylko przygotowanie: czy przycisk INSTALUJ byłby dostępny\n"
    "  --drive-root KATALOG  szuka w KATALOGU zamiast na dyskach systemu (można powtarzać)\n"
    "  --host KATALOG        wpisuje KATALOG w pole folderu po przygotowaniu\n"
    "  Kody wyjścia:\n"
    "    0  instalacja zakończona (z --dry-run: INSTALUJ byłby dostępny)\n"
    "    1  instalacja nie była możliwa (INSTALUJ niedostępny albo odmowa przed pierwszą\n"
    "       zmianą, np. uszkodzona paczka); nic nie zmieniono\n"
    "    2  błędne wywołanie\n"
    "    3  instalacja nie powiodła się; zmiany cofnięto, katalog jest taki jak przedtem\n"
    "    4  instalacja nie powiodła się i nie wszystko przywrócono: katalog jest w pliku\n"
    "       dodatki_old.mdb albo pliki pakietu czekają na następne uruchomienie\n"
    "       (komunikaty podają pełne ścieżki)\n";

int usageError(const std::string& problem) {
    std::fprintf(stderr, "pakiet install: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

}  // namespace

int runInstall(const Args& args) {
    app::HeadlessInstallOptions options;
    bool dryRun = false;
    bool haveInstaller = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--dry-run") {
            dryRun = true;
        } else if (arg == "--debug") {
            options.logLevel = session::LogLevel::Debug;
        } else if (arg == "--drive-root" || arg == "--host") {
            if (!hasValue) return usageError(arg + " wymaga katalogu");
            (arg == "--host" ? options.typedHost.emplace() : options.driveRoots.emplace_back()) =
                args[++i];
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError("nieznana opcja " + arg);
        } else if (haveInstaller) {
            return usageError("podano więcej niż jeden instalator: " + arg);
        } else {
            options.installer = arg;
            haveInstaller = true;
        }
    }
    if (!haveInstaller) return usageError("nie podano instalatora");

    // The log names the installer by its full path, as the window names its own executable.
    std::error_code error;
    const std::filesystem::path given(std::u8string(options.installer.begin(), options.installer.end()));
    const std::u8string absolute = std::filesystem::absolute(given, error).u8string();
    if (!error) options.installer.assign(absolute.begin(), absolute.end());

    platform::FileSystem& files = platform::realFileSystem();
    if (!files.fileExists(options.installer))
        return usageError("nie ma pliku instalatora: " + options.installer);
    const auto decoder = toolkit::makePlatformImageDecoder();
    if (dryRun)
        return app::runInstallDryRun(options, files, platform::realSystem(), decoder.get(), std::cout,
                                     std::cerr);
    return app::runHeadlessInstall(options, files, platform::realSystem(), decoder.get(), std::cout,
                                   std::cerr);
}

}  // namespace cli
