// The console's output code page set to UTF-8 when standard output or error is a console, and
// put back at the end (the console outlives us: cmd.exe would keep showing UTF-8 otherwise).
#include "platform/console_output.h"

#include <windows.h>

#include <cstdio>

namespace platform {

namespace {

bool isConsole(DWORD which) {
    DWORD mode = 0;
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

Utf8ConsoleOutput::Utf8ConsoleOutput() {
    if (!isConsole(STD_OUTPUT_HANDLE) && !isConsole(STD_ERROR_HANDLE)) return;
    const UINT current = GetConsoleOutputCP();
    if (current == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) return;
    previousCodePage_ = current;
}

Utf8ConsoleOutput::~Utf8ConsoleOutput() {
    if (previousCodePage_ == 0) return;
    // What waits in the C library's buffers is UTF-8 too: out before the page changes back.
    std::fflush(stdout);
    std::fflush(stderr);
    SetConsoleOutputCP(previousCodePage_);
}

}  // namespace platform
