// The system's folder picker (the Vista-style file dialog in folder mode), which behaves the
// same from Windows 7 to 11 and under Wine, unlike the classic dialog with hidden controls.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace toolkit::win32 {

// Opens modally over `owner` in `start` (when it exists) with `title`; the picked folder's
// file-system path, or nullopt when the user cancels. Needs COM on this thread.
std::optional<std::string> pickFolder(HWND owner, const std::string& title, const std::string& start);

}  // namespace toolkit::win32
