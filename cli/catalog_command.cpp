// Dispatch of `pakiet catalog` to its verbs.
#include "cli/catalog_command.h"

#include <cstdio>
#include <string>

namespace cli {

namespace {

struct Verb {
    const char* name;
    const char* usage;
    int (*run)(const Args& args);
};

const Verb kVerbs[] = {
    {"tables", "tables PLIK [--system] [--linked]   lista tabel", &catalogTables},
    {"schema", "schema PLIK [TABELA] [--format text|jsonl]   kolumny i indeksy", &catalogSchema},
    {"dump", "dump PLIK TABELA [--format csv|jsonl]   wszystkie wiersze tabeli", &catalogDump},
    {"create", "create PLIK [--force]   pusty katalog (tabele Dodatki i info_producent)", &catalogCreate},
    {"import", "import PLIK TABELA --csv DANE.csv   dopisuje wiersze pliku CSV (UTF-8, wiersz nagłówka)",
     &catalogImport},
    {"merge", "merge NOWY STARY WYNIK [--debug]   scalanie jak w instalatorze (STARY może nie istnieć, WYNIK nie może)",
     &catalogMerge},
};

void printVerbs(std::FILE* to) {
    std::fputs("użycie: pakiet catalog CZYNNOŚĆ ...\n", to);
    for (const auto& verb : kVerbs) std::fprintf(to, "  pakiet catalog %s\n", verb.usage);
}

}  // namespace

int runCatalog(const Args& args) {
    if (args.empty() || args[0] == "help" || args[0] == "--help") {
        printVerbs(args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    for (const auto& verb : kVerbs)
        if (args[0] == verb.name) return verb.run(Args(args.begin() + 1, args.end()));
    std::fprintf(stderr, "pakiet catalog: nieznana czynność `%s`\n", args[0].c_str());
    printVerbs(stderr);
    return 2;
}

}  // namespace cli
