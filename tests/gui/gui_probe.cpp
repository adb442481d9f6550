// Test helper run under Wine beside the installer: finds the installer's top-level window by
// its caption and prints what a user would read in one of its child windows (the log box,
// the folder field) as UTF-8, so the GUI test checks texts without trusting exit codes.
//   gui_probe <caption> <child window class> <output file>
// Exit 0 and the text written when the child exists and is visible, 2 when the window or the
// child is missing or hidden.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    std::wstring className;
    HWND found = nullptr;
};

BOOL CALLBACK matchChild(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t name[128] = {};
    GetClassNameW(child, name, 128);
    if (search->className == name) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr,
                        nullptr);
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: gui_probe <caption> <child class> <output file>\n");
        return 1;
    }
    HWND window = FindWindowW(nullptr, argv[1]);
    if (!window) return 2;
    Search search{argv[2]};
    EnumChildWindows(window, matchChild, reinterpret_cast<LPARAM>(&search));
    if (!search.found || !IsWindowVisible(search.found)) return 2;
    DWORD_PTR length = 0;
    SendMessageTimeoutW(search.found, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(search.found, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    FILE* out = _wfopen(argv[3], L"wb");
    if (!out) return 1;
    const std::string utf8 = toUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), out);
    std::fclose(out);
    return 0;
}
