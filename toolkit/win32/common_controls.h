// Common Controls 6 loaded at run time rather than imported: comctl32.dll is no KnownDLL,
// and loading it (with what its start-up loads, the theme DLL) before the program's first
// line would search the installer's folder. Loaded once the program has limited the DLL
// search to the system folder; the manifest's dependency binds the name to version 6.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace toolkit::win32 {

struct CommonControls {
    BOOL(WINAPI* initCommonControlsEx)(const INITCOMMONCONTROLSEX*) = nullptr;
    BOOL(WINAPI* setWindowSubclass)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR) = nullptr;
    LRESULT(WINAPI* defSubclassProc)(HWND, UINT, WPARAM, LPARAM) = nullptr;
};

// Loads the library on first use; throws ToolkitError (WindowNotCreated) when it is missing.
const CommonControls& commonControls();

}  // namespace toolkit::win32
