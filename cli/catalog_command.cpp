// Dispatch of `pakiet catalog` to its verbs.
#include "cli/catalog_command.h"

#include <cstdio>
#include <string>

#include "cli/command_usage.h"

namespace cli {

namespace {

struct Verb {
    const char* name;
    int (*run)(const Args& args);
};

const Verb kVerbs[] = {
    {"tables", &catalogTables}, {"schema", &catalogSchema}, {"dump", &catalogDump},
    {"create", &catalogCreate}, {"import", &catalogImport}, {"merge", &catalogMerge},
};

}  // namespace

int runCatalog(const Args& args) {
    if (args.empty()) return usageError("catalog", "nie podano czynności");
    if (args[0] == "help" || args[0] == "--help" || args[0] == "-h") return printHelp("catalog");
    for (const auto& verb : kVerbs) {
        if (args[0] != verb.name) continue;
        const Args rest(args.begin() + 1, args.end());
        if (asksForHelp(rest)) return printHelp(std::string("catalog ") + verb.name);
        return verb.run(rest);
    }
    if (asksForHelp(args)) return printHelp("catalog");
    return usageError("catalog", "nieznana czynność `" + args[0] + "`");
}

}  // namespace cli
