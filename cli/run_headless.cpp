// pakiet run-headless [/d]: starts the installer headless in the current directory, lets its
// timer fire, prints the log box and closes it (which cleans the working folder up unless
// debug mode or NODELETE keep it). The arguments are the installer's own command line.
#include "cli/run_headless.h"

#include <iostream>

#include "app/headless_run.h"
#include "platform/file_system.h"
#include "platform/system.h"

namespace cli {

int runHeadlessCommand(const Args& args) {
    return app::runHeadless(platform::realFileSystem(), platform::realSystem(), args, std::cout);
}

}  // namespace cli
