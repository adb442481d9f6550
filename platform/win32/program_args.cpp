// Windows command-line arguments, read from the wide command line so that every letter
// survives whatever the console code page is.
#include <windows.h>
#include <shellapi.h>

#include "platform/program_args.h"
#include "platform/win32/wide.h"

namespace platform {

ProgramArgs programArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return ProgramArgs(argv, argv + argc);
    ProgramArgs args;
    for (int i = 0; i < count; ++i) args.push_back(win32::fromWide(wide[i]));
    LocalFree(wide);
    return args;
}

}  // namespace platform
