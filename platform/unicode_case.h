// Letter case of file names as NTFS compares them: each UTF-16 unit of the BMP mapped to its
// simple upper case (the volume's upcase table), everything else kept. "Ł.jpg" and "ł.jpg"
// name one file there; "ß" and "SS" do not.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The BMP code point's simple upper case, or the code point itself.
char32_t upcaseForFileNames(char32_t c);

// The UTF-8 text with every code point upcased so; equal results name one file on NTFS.
std::string fileNameCaseKey(std::string_view utf8);

}  // namespace platform
