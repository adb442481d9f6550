// pakiet's entry: picks the sub-command by its first argument.
#include <cstdio>
#include <exception>
#include <string>

#include "cli/archive_commands.h"
#include "cli/catalog_command.h"
#include "cli/commands.h"
#include "cli/install.h"
#include "cli/run_headless.h"
#include "platform/program_args.h"

namespace cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        // name, summary, entry; each command lives in its own file of this folder.
        {"build", "make an installer from the stub and a package folder", &runBuild},
        {"verify", "check an installer's trailer, archive and package layout", &runVerify},
        {"extract", "extract an installer's package into a folder as the installation does", &runExtract},
        {"install", "run the installer's preparation without a window (--dry-run)", &runInstall},
        {"run-headless", "run the installer without a window here and print its log",
         &runHeadlessCommand},
        {"catalog", "read (and write) catalog databases: tables, schema, dump", &runCatalog},
    };
    return all;
}

}  // namespace cli

static void printUsage() {
    std::fputs("usage: pakiet COMMAND [ARGUMENTS]\n\ncommands:\n", stdout);
    for (const auto& command : cli::commands())
        std::printf("  %-10s %s\n", command.name, command.summary);
}

int main(int argc, char** argv) {
    platform::ProgramArgs args = platform::programArguments(argc, argv);
    if (args.size() < 2 || args[1] == "help" || args[1] == "--help" || args[1] == "-h") {
        printUsage();
        return args.size() < 2 ? 2 : 0;
    }
    for (const auto& command : cli::commands()) {
        if (args[1] != command.name) continue;
        try {
            return command.run(cli::Args(args.begin() + 2, args.end()));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "pakiet %s: %s\n", command.name, error.what());
            return 1;
        }
    }
    std::fprintf(stderr, "pakiet: unknown command '%s'\n", args[1].c_str());
    printUsage();
    return 2;
}
