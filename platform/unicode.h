// UTF-8 <-> UTF-16 conversion. Inside the program text is UTF-8; UTF-16 is used at the Win32
// boundary and where code units are counted. Invalid input becomes U+FFFD, never an error.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);
// Code points of UTF-8 text, for matching character by character.
std::u32string utf8ToUtf32(std::string_view text);
std::string utf32ToUtf8(std::u32string_view text);

}  // namespace platform
