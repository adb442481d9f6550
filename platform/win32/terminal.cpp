// A console answers GetConsoleMode; a file, a pipe or the null device does not.
#include "platform/terminal.h"

#include <windows.h>

namespace platform {

bool standardErrorIsTerminal() {
    DWORD mode = 0;
    const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace platform
