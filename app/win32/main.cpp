// The installer's Windows entry point: the real window through the Win32 backend.
#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "app/command_line.h"
#include "app/exit_codes.h"
#include "app/installer_process.h"
#include "app/log_file.h"
#include "app/program_entry.h"
#include "platform/file_system.h"
#include "platform/local_time.h"
#include "platform/program_args.h"
#include "platform/system.h"
#include "toolkit/platform_image_decoder.h"
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

void showMessageBox(std::string_view text, bool isError) {
    MessageBoxW(nullptr, toolkit::win32::widen(text).c_str(),
                toolkit::win32::widen(app::kApplicationTitle).c_str(),
                MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}

// What only Windows has: message boxes, the Win32 window, WIC for the silent run's cover.
class WindowsShell : public app::InstallerShell {
public:
    void showMessage(std::string_view text, bool isError) override { showMessageBox(text, isError); }
    std::unique_ptr<toolkit::Backend> makeWindowBackend() override {
        return std::make_unique<toolkit::win32::Win32Backend>();
    }
    toolkit::ImageDecoder* decoder() override {
        if (!decoder_) decoder_ = toolkit::makePlatformImageDecoder();
        return decoder_.get();
    }
    std::string dateTimeText() override { return platform::localDateTimeText(); }

private:
    std::unique_ptr<toolkit::ImageDecoder> decoder_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    loadLibrariesFromSystemFolderOnly();  // first: nothing may load a DLL before it
    platform::ProgramArgs args = platform::programArguments(0, nullptr);
    if (!args.empty()) args.erase(args.begin());  // the program's own name
    const app::InstallerOptions options = app::readCommandLine(args);
    try {
        WindowsShell shell;
        return app::runInstallerProcessWith(options, platform::realFileSystem(),
                                            platform::realSystem(), shell);
    } catch (const std::exception& error) {
        // Only start-up itself can get here (handlers report through the dispatcher). A
        // silent run shows nothing: its exit code tells.
        if (!options.silent) showMessageBox(error.what(), true);
        return app::kExitInstallNotEnabled;
    }
}
