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

namespace {

// DLLs loaded from now on (COM's picture decoder and folder chooser, and what they import)
// come from the system folder only, never from the folder the installer was downloaded to.
// Resolved at run time: a Windows 7 without update KB2533623 lacks the function, and there
// at least the current folder leaves the search.
void loadLibrariesFromSystemFolderOnly() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryW(L"");
        return;
    }
    // Under Wine the theme DLL delay-loads msimg32.dll by name through a path that skips the
    // default directories (the folder chooser draws with it); with the system's copy loaded
    // first, that load finds it in the process. Windows honours the default directories.
    LoadLibraryExW(L"msimg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    loadLibrariesFromSystemFolderOnly();  // first: nothing may load a DLL before it
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
