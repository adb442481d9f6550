// The one conversion at the Win32 edge: UTF-8 inside, UTF-16 for the W functions. toWide
// calls no system function, so GetLastError() still holds the error of the call before it.
// Also the system's own text for an error code (FormatMessageW).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring toWide(std::string_view text);
std::string fromWide(std::wstring_view text);
std::string fromWide(const wchar_t* text);

// A path for the W file functions. Paths too long for the classic limit (MAX_PATH, and 12
// less for folders) are made absolute and given the "\\?\" prefix, which lifts the limit.
std::wstring toWidePath(std::string_view path);

// The system's message for `error` without its line end, or "system error N" when it has none.
std::string systemMessage(DWORD error);

}  // namespace platform::win32
