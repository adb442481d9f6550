// The installer's Windows entry point: the real window through the Win32 backend.
#include <windows.h>

#include <exception>
#include <string>

#include "app/program_entry.h"
#include "platform/file_system.h"
#include "platform/program_args.h"
#include "platform/system.h"
#include "toolkit/win32/win32_backend.h"
#include "toolkit/win32/wide.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        toolkit::win32::Win32Backend backend;
        platform::ProgramArgs args = platform::programArguments(0, nullptr);
        if (!args.empty()) args.erase(args.begin());  // the program's own name
        app::runInstaller(backend, platform::realFileSystem(), platform::realSystem(), args);
        return 0;
    } catch (const std::exception& error) {
        // Only start-up itself can get here (handlers report through the dispatcher).
        MessageBoxW(nullptr, toolkit::win32::widen(error.what()).c_str(),
                    toolkit::win32::widen(app::kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
}
