// Windows command-line arguments, read from the wide command line so that every letter
// survives whatever the console code page is.
#include <windows.h>
#include <shellapi.h>

#include "platform/program_args.h"

namespace platform {

namespace {
std::string toUtf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string result(static_cast<std::size_t>(length - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), length, nullptr, nullptr);
    return result;
}
}  // namespace

ProgramArgs programArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return ProgramArgs(argv, argv + argc);
    ProgramArgs args;
    for (int i = 0; i < count; ++i) args.push_back(toUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

}  // namespace platform
