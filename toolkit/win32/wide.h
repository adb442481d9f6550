// UTF-8 <-> UTF-16 at the Win32 edge of the window backend: the platform's one conversion,
// under the names the backend uses.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/wide.h"

namespace toolkit::win32 {

inline std::wstring widen(std::string_view utf8) { return platform::win32::toWide(utf8); }
inline std::string narrow(std::wstring_view utf16) { return platform::win32::fromWide(utf16); }

}  // namespace toolkit::win32
