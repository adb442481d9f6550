// The three entries the window uses, resolved by name.
#include "toolkit/win32/common_controls.h"

#include "toolkit/toolkit_error.h"

namespace toolkit::win32 {

namespace {

template <typename Function>
void resolve(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    if (!function) throw ToolkitError(ToolkitFault::WindowNotCreated, "comctl32.dll", name);
}

CommonControls load() {
    const HMODULE library = LoadLibraryW(L"comctl32.dll");
    if (!library) throw ToolkitError(ToolkitFault::WindowNotCreated, "comctl32.dll");
    CommonControls controls;
    resolve(library, "InitCommonControlsEx", controls.initCommonControlsEx);
    resolve(library, "SetWindowSubclass", controls.setWindowSubclass);
    resolve(library, "DefSubclassProc", controls.defSubclassProc);
    return controls;
}

}  // namespace

const CommonControls& commonControls() {
    // Loaded on the first call, which comes from the window's thread like every other: a
    // thread-safe static would bring the C++ runtime's guards into the installer.
    static CommonControls controls;
    if (!controls.initCommonControlsEx) controls = load();
    return controls;
}

}  // namespace toolkit::win32
