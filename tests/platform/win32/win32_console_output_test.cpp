// pakiet's UTF-8 on a Windows console: the console takes UTF-8 while the object lives and gets
// its own code page back after; output that goes to a file changes no console.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/console_output.h"

namespace {

// Standard output and error pointed at `handle` for the test's length.
class StandardHandles {
public:
    explicit StandardHandles(HANDLE handle)
        : out_(GetStdHandle(STD_OUTPUT_HANDLE)), err_(GetStdHandle(STD_ERROR_HANDLE)) {
        SetStdHandle(STD_OUTPUT_HANDLE, handle);
        SetStdHandle(STD_ERROR_HANDLE, handle);
    }
    ~StandardHandles() {
        SetStdHandle(STD_OUTPUT_HANDLE, out_);
        SetStdHandle(STD_ERROR_HANDLE, err_);
    }

private:
    HANDLE out_, err_;
};

HANDLE consoleOutput() {
    HANDLE handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return handle;
    // Started without a console (output redirected, as under CTest): make one of our own.
    FreeConsole();
    if (!AllocConsole()) return INVALID_HANDLE_VALUE;
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

// The console set to a Polish code page (852 as in cmd.exe; Wine may know only others).
UINT setPolishCodePage() {
    for (UINT page : {852u, 1250u, 437u})
        if (SetConsoleOutputCP(page)) return page;
    return 0;
}

TEST(Utf8ConsoleOutput, AConsoleTakesUtf8AndGetsItsCodePageBack) {
    const HANDLE console = consoleOutput();
    if (console == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no console can be opened here";
    const UINT before = GetConsoleOutputCP();
    const UINT page = setPolishCodePage();
    if (page == 0) GTEST_SKIP() << "this console's code page cannot be changed (Wine's console without a display)";
    {
        StandardHandles handles(console);
        {
            const platform::Utf8ConsoleOutput utf8;
            EXPECT_EQ(GetConsoleOutputCP(), static_cast<UINT>(CP_UTF8));
        }
        EXPECT_EQ(GetConsoleOutputCP(), page);
    }
    SetConsoleOutputCP(before);
    CloseHandle(console);
}

TEST(Utf8ConsoleOutput, OutputToAFileChangesNoConsole) {
    const HANDLE console = consoleOutput();
    if (console == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no console can be opened here";
    const UINT before = GetConsoleOutputCP();
    const UINT page = setPolishCodePage();
    if (page == 0) GTEST_SKIP() << "this console's code page cannot be changed (Wine's console without a display)";
    wchar_t folder[MAX_PATH], name[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    ASSERT_NE(GetTempFileNameW(folder, L"out", 0, name), 0u);
    const HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    {
        StandardHandles handles(file);
        const platform::Utf8ConsoleOutput utf8;
        EXPECT_EQ(GetConsoleOutputCP(), page);
    }
    CloseHandle(file);
    SetConsoleOutputCP(before);
    CloseHandle(console);
}

}  // namespace
