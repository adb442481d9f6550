// Test helper run under Wine beside the installer, so the GUI test checks texts and processes
// without trusting exit codes:
//   gui_probe <caption> <child window class> <output file>
//     what a user reads in a child window (the log box, the folder field), as UTF-8; exit 2
//     when the window or the child is missing or hidden.
//   gui_probe --clipboard <output file>     the clipboard's text as UTF-8; exit 2 when none
//   gui_probe --clear-clipboard
//   gui_probe --process <exe name>          exit 0 when a process of that name runs, else 2
//   gui_probe --children <caption> <output file>
//     one line per child window, as a screen reader finds them: class, text, visible,
//     enabled, focused, button type, then what the accessibility layer answers for it (name,
//     role number, unavailable); exit 2 when the window is missing
//   gui_probe --watch <caption> <output file> <stop file>
//     asks the window for its title every half second as another program does (WM_GETTEXT
//     sent with SMTO_ABORTIFHUNG and 1 s to answer) and asks the system whether it counts the
//     window as hung; one line per question: milliseconds since the start, answered (0/1),
//     milliseconds the answer took, hung (0/1). Ends when the stop file exists or the window
//     has gone; exit 2 when the window never showed
#include <windows.h>
#include <oleacc.h>
#include <tlhelp32.h>

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

bool writeUtf8(const wchar_t* path, const std::wstring& text) {
    FILE* out = _wfopen(path, L"wb");
    if (!out) return false;
    const std::string utf8 = toUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), out);
    std::fclose(out);
    return true;
}

int readClipboard(const wchar_t* path) {
    if (!OpenClipboard(nullptr)) return 1;
    int result = 2;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            result = writeUtf8(path, text) ? 0 : 1;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return result;
}

int clearClipboard() {
    if (!OpenClipboard(nullptr)) return 1;
    const bool emptied = EmptyClipboard() != 0;
    CloseClipboard();
    return emptied ? 0 : 1;
}

int findProcess(const wchar_t* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    int result = 2;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (lstrcmpiW(entry.szExeFile, name) == 0) result = 0;
    CloseHandle(snapshot);
    return result;
}

// One line per child: tabs and line breaks of a text become blanks.
std::wstring oneLine(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'\t' || c == L'\r' || c == L'\n') c = L' ';
    return text;
}

struct ChildList {
    HWND focus = nullptr;
    std::wstring text;
};

// Spelled out: mingw's import library gives IID_IAccessible as oleacc.dll's import thunk.
const IID kAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::wstring accessibleFacts(HWND child) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(child, OBJID_CLIENT, kAccessible, reinterpret_cast<void**>(&object))) ||
        !object)
        return L"\tname=?\trole=?\tunavailable=?";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    std::wstring facts = L"\tname=";
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name) facts += oneLine(name);
    SysFreeString(name);
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    facts += L"\trole=";
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) facts += std::to_wstring(role.lVal);
    facts += L"\tunavailable=";
    if (SUCCEEDED(object->get_accState(self, &state)) && state.vt == VT_I4)
        facts += (state.lVal & STATE_SYSTEM_UNAVAILABLE) ? L"1" : L"0";
    object->Release();
    return facts;
}

BOOL CALLBACK listChild(HWND child, LPARAM param) {
    auto* list = reinterpret_cast<ChildList*>(param);
    wchar_t name[128] = {};
    GetClassNameW(child, name, 128);
    wchar_t text[512] = {};
    SendMessageTimeoutW(child, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    list->text += std::wstring(name) + L"\t" + oneLine(text) + L"\tvisible=" + (IsWindowVisible(child) ? L"1" : L"0") +
                  L"\tenabled=" + (IsWindowEnabled(child) ? L"1" : L"0") + L"\tfocused=" +
                  (child == list->focus ? L"1" : L"0") + L"\ttype=" + std::to_wstring(style & 0x1F) +
                  accessibleFacts(child) + L"\n";
    return TRUE;
}

int listChildren(const wchar_t* caption, const wchar_t* path) {
    HWND window = FindWindowW(nullptr, caption);
    if (!window) return 2;
    CoInitialize(nullptr);
    ChildList list;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread)) list.focus = thread.hwndFocus;
    EnumChildWindows(window, listChild, reinterpret_cast<LPARAM>(&list));
    CoUninitialize();
    return writeUtf8(path, list.text) ? 0 : 1;
}

// The time to answer is measured here, not judged: the script reads the lines.
int watchWindow(const wchar_t* caption, const wchar_t* path, const wchar_t* stopPath) {
    FILE* out = _wfopen(path, L"wb");
    if (!out) return 1;
    LARGE_INTEGER frequency, start;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const auto millisecondsSince = [&](const LARGE_INTEGER& from) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<long long>((now.QuadPart - from.QuadPart) * 1000 / frequency.QuadPart);
    };
    bool seen = false;
    while (GetFileAttributesW(stopPath) == INVALID_FILE_ATTRIBUTES) {
        HWND window = FindWindowW(nullptr, caption);
        if (!window) {
            // Gone: the window closed (or never showed within the first 30 s).
            if (seen || millisecondsSince(start) > 30000) break;
            Sleep(100);
            continue;
        }
        seen = true;
        LARGE_INTEGER asked;
        QueryPerformanceCounter(&asked);
        wchar_t title[256] = {};
        DWORD_PTR copied = 0;
        const bool answered = SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(title),
                                                  SMTO_ABORTIFHUNG, 1000, &copied) != 0;
        const long long took = millisecondsSince(asked);
        const bool hung = IsHungAppWindow(window) != 0;
        std::fprintf(out, "%lld\t%d\t%lld\t%d\n", millisecondsSince(start), answered ? 1 : 0, took, hung ? 1 : 0);
        std::fflush(out);
        // Half a second between the end of one question and the next.
        Sleep(500);
    }
    std::fclose(out);
    return seen ? 0 : 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"--clipboard" && argc == 3) return readClipboard(argv[2]);
    if (mode == L"--clear-clipboard" && argc == 2) return clearClipboard();
    if (mode == L"--process" && argc == 3) return findProcess(argv[2]);
    if (mode == L"--children" && argc == 4) return listChildren(argv[2], argv[3]);
    if (mode == L"--watch" && argc == 5) return watchWindow(argv[2], argv[3], argv[4]);
    if (argc != 4) {
        std::fprintf(stderr, "usage: gui_probe <caption> <child class> <output file> | --clipboard <file> |"
                             " --clear-clipboard | --process <name> | --children <caption> <file> |"
                             " --watch <caption> <file> <stop file>\n");
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
    return writeUtf8(argv[3], text) ? 0 : 1;
}
