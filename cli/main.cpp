// pakiet's entry: picks the sub-command by its first argument.
#include <cstdio>
#include <exception>
#include <string>

#include "app/error_text.h"
#include "cli/archive_commands.h"
#include "cli/catalog_command.h"
#include "cli/command_usage.h"
#include "cli/commands.h"
#include "cli/install.h"
#include "cli/run_headless.h"
#include "platform/console_output.h"
#include "platform/program_args.h"
#include "platform/source_date.h"
#include "cli/status.h"
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

namespace {

void printUsage(std::FILE* to) {
    std::fputs("użycie: pakiet POLECENIE [ARGUMENTY]\n\npolecenia:\n", to);
    for (const auto& command : cli::commands())
        std::fprintf(to, "  %-13s %s\n", command.name, command.summary);
    std::fputs("\n  pakiet POLECENIE --help   opis polecenia\n  pakiet --version          wersja programu\n", to);
}

void printVersion() {
    const std::string_view version = session::productVersion(), commit = session::productCommit();
    std::printf("pakiet %.*s (commit %.*s)\n", static_cast<int>(version.size()), version.data(),
                static_cast<int>(commit.size()), commit.data());
}

}  // namespace

int main(int argc, char** argv) {
    const platform::Utf8ConsoleOutput console;
    platform::ProgramArgs args = platform::programArguments(argc, argv);
    if (args.size() < 2) {
        std::fputs("pakiet: nie podano polecenia\n", stderr);
        printUsage(stderr);
        return 2;
    }
    if (args[1] == "help" || args[1] == "--help" || args[1] == "-h") {
        printUsage(stdout);
        return 0;
    }
    if (args[1] == "--version" || args[1] == "version") {
        printVersion();
        return 0;
    }
    for (const auto& command : cli::commands()) {
        if (args[1] != command.name) continue;
        const cli::Args rest(args.begin() + 2, args.end());
        // catalog answers --help per verb itself.
        if (args[1] != "catalog" && cli::asksForHelp(rest)) return cli::printHelp(command.name);
        // A date that cannot be read exactly would make files that are not what was asked for.
        const platform::SourceDate date = platform::sourceDate();
        if (date.state == platform::SourceDate::State::Malformed && !cli::asksForHelp(rest)) {
            std::fprintf(stderr, "pakiet %s: zmienna SOURCE_DATE_EPOCH=`%s` nie jest liczbą sekund od 1970-01-01 (UTC)\n",
                         command.name, date.text.c_str());
            return 2;
        }
        try {
            return command.run(rest);
        } catch (const std::exception&) {
            std::fprintf(stderr, "pakiet %s: %s\n", command.name, app::errorText().c_str());
            return 1;
        }
    }
    std::fprintf(stderr, "pakiet: nieznane polecenie `%s`\n", args[1].c_str());
    printUsage(stderr);
    return 2;
}
