// POSIX command-line arguments: argv is already the bytes the user typed (UTF-8 here).
#include "platform/program_args.h"

namespace platform {

ProgramArgs programArguments(int argc, char** argv) { return ProgramArgs(argv, argv + argc); }

}  // namespace platform
