// pakiet's entry: picks the sub-command by its first argument.
#include <cstdio>
#include <exception>
#include <string>

#include "cli/archive_commands.h"
#include "cli/catalog_command.h"
#include "cli/commands.h"
#include "app/error_text.h"
#include "cli/install.h"
#include "cli/run_headless.h"
#include "cli/status.h"
#include "platform/program_args.h"
#include "session/version.h"

namespace cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        // name, summary, entry; each command lives in its own file of this folder.
        {"build", "tworzy instalator z programu startowego i katalogu paczki", &runBuild},
        {"verify", "sprawdza zakończenie instalatora, archiwum i układ paczki", &runVerify},
        {"extract", "rozpakowuje paczkę instalatora do katalogu tak jak instalacja", &runExtract},
        {"install", "instaluje paczkę bez okna jak kliknięcie INSTALUJ (z --dry-run: samo przygotowanie)", &runInstall},
        {"run-headless", "uruchamia instalator bez okna w bieżącym katalogu i wypisuje jego dziennik", &runHeadlessCommand},
        {"status", "wypisuje zapisy instalacji pakietów w folderze programu CAD", &runStatus},
        {"catalog", "czyta i zapisuje bazy katalogów: tabele, schemat, zawartość, tworzenie, import, scalanie", &runCatalog},
    };
    return all;
}

}  // namespace cli

static void printUsage() {
    std::fputs("użycie: pakiet POLECENIE [ARGUMENTY]\n       pakiet --version\n\npolecenia:\n", stdout);
    for (const auto& command : cli::commands())
        std::printf("  %-10s %s\n", command.name, command.summary);
}

int main(int argc, char** argv) {
    platform::ProgramArgs args = platform::programArguments(argc, argv);
    if (args.size() < 2 || args[1] == "help" || args[1] == "--help" || args[1] == "-h") {
        printUsage();
        return args.size() < 2 ? 2 : 0;
    }
    if (args[1] == "--version" || args[1] == "version") {
        std::printf("pakiet %s (commit %s)\n", std::string(session::productVersion()).c_str(),
                    std::string(session::productCommit()).c_str());
        return 0;
    }
    for (const auto& command : cli::commands()) {
        if (args[1] != command.name) continue;
        try {
            return command.run(cli::Args(args.begin() + 2, args.end()));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "pakiet %s: %s\n", command.name, app::errorText(error).c_str());
            return 1;
        }
    }
    std::fprintf(stderr, "pakiet: nieznane polecenie `%s`\n", args[1].c_str());
    printUsage();
    return 2;
}
