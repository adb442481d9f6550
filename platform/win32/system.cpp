// The Win32 System: logical drives, the Tool Help process snapshot, the module's own path,
// the current directory and the primary screen's metrics.
#include <windows.h>
#include <tlhelp32.h>

#include "platform/system.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

// Thrown from here: a throw site is one call, with no SystemError built and copied there.
[[noreturn]] void failWithLastError(SystemQuery query) {
    throw SystemError(query, win32::systemMessage(GetLastError()));
}

class Win32System : public System {
public:
    std::vector<std::string> driveRoots() override {
        std::wstring buffer(128, L'\0');
        for (;;) {
            const DWORD length =
                GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
            if (length == 0) return {};
            if (length < buffer.size()) {
                buffer.resize(length);
                break;
            }
            buffer.resize(length + 1);
        }
        // "C:\<NUL>D:\<NUL>...<NUL>": every root the system gives, in its order.
        std::vector<std::string> roots;
        for (std::size_t start = 0; start < buffer.size();) {
            const std::size_t end = buffer.find(L'\0', start);
            const std::size_t stop = end == std::wstring::npos ? buffer.size() : end;
            if (stop > start) roots.push_back(win32::fromWide(buffer.substr(start, stop - start)));
            start = stop + 1;
        }
        return roots;
    }

    std::vector<ProcessEntry> processSnapshot() override {
        win32::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        if (!snapshot.valid()) failWithLastError(SystemQuery::ProcessSnapshot);
        std::vector<ProcessEntry> processes;
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        BOOL more = Process32FirstW(snapshot.get(), &entry);
        if (!more && GetLastError() != ERROR_NO_MORE_FILES)
            failWithLastError(SystemQuery::ProcessList);
        for (; more; more = Process32NextW(snapshot.get(), &entry)) {
            ProcessEntry process;
            process.id = entry.th32ProcessID;
            // szExeFile is NUL-ended within its 260 characters.
            const std::size_t length = wcsnlen(entry.szExeFile, MAX_PATH);
            process.exeName = win32::fromWide(std::wstring_view(entry.szExeFile, length));
            processes.push_back(std::move(process));
        }
        return processes;
    }

    std::string executablePath() override {
        // Long paths do not fit MAX_PATH: grow until the name is not cut.
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length =
                GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length == 0) failWithLastError(SystemQuery::ExecutablePath);
            if (length < path.size()) {
                path.resize(length);
                return win32::fromWide(path);
            }
            path.resize(path.size() * 2);
        }
    }

    std::string currentDirectory() override {
        std::wstring path;
        DWORD needed = GetCurrentDirectoryW(0, nullptr);
        for (;;) {
            if (needed == 0) failWithLastError(SystemQuery::CurrentDirectory);
            path.assign(needed, L'\0');
            const DWORD length = GetCurrentDirectoryW(needed, path.data());
            if (length == 0) failWithLastError(SystemQuery::CurrentDirectory);
            if (length < needed) {
                path.resize(length);
                return win32::fromWide(path);
            }
            needed = length;  // changed in between; the size needed now, NUL included
        }
    }

    ScreenSize primaryScreenSize() override {
        return ScreenSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
};

// At namespace scope: a function's static would bring the C++ runtime's guards.
Win32System theSystem;

}  // namespace

System& realSystem() { return theSystem; }

}  // namespace platform
