// XPos: the running-application guard's name search, the 1-based position of the first
// occurrence of a text in another, with ASCII letters compared without case. Positions count
// UTF-16 code units, as the process names of the system do.
#pragma once

#include <string_view>

namespace host {

// 0 when `cSubStr` is empty, longer than `cString`, or absent from it.
int XPos(std::u16string_view cSubStr, std::u16string_view cString);

// The same over UTF-8 texts, converted to UTF-16 first.
int XPos(std::string_view cSubStr, std::string_view cString);

}  // namespace host
