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
    {"tables", "tables FILE [--system] [--linked]   list the tables", &catalogTables},
    {"schema", "schema FILE [TABLE] [--format text|jsonl]   columns and indexes", &catalogSchema},
    {"dump", "dump FILE TABLE [--format csv|jsonl]   every row of a table", &catalogDump},
    {"create", "create FILE [--force]   an empty catalog (tables Dodatki and info_producent)", &catalogCreate},
    {"import", "import FILE TABLE --csv DATA.csv   append the rows of a CSV file (UTF-8, header line)",
     &catalogImport},
    {"merge", "merge NEW OLD DEST [--debug]   the installer's merge (OLD may be absent; DEST must not exist)",
     &catalogMerge},
};

void printVerbs(std::FILE* to) {
    std::fputs("usage: pakiet catalog VERB ...\n", to);
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
    std::fprintf(stderr, "pakiet catalog: unknown verb '%s'\n", args[0].c_str());
    printVerbs(stderr);
    return 2;
}

}  // namespace cli
