// Case-folding substring search over UTF-16 code units; only 'a'..'z' are folded, so Polish
// letters and every other code unit compare exactly.
#include "host/xpos.h"

#include "platform/unicode.h"

namespace host {

namespace {

char16_t foldAsciiLetter(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - 32) : unit;
}

}  // namespace

int XPos(std::u16string_view cSubStr, std::u16string_view cString) {
    const std::size_t n = cSubStr.size();
    const std::size_t m = cString.size();
    if (m < n || n == 0) return 0;
    for (std::size_t start = 0; start + n <= m; ++start) {
        std::size_t k = 0;
        while (k < n && foldAsciiLetter(cString[start + k]) == foldAsciiLetter(cSubStr[k])) ++k;
        if (k == n) return static_cast<int>(start + 1);
    }
    return 0;
}

int XPos(std::string_view cSubStr, std::string_view cString) {
    return XPos(platform::utf8ToUtf16(cSubStr), platform::utf8ToUtf16(cString));
}

}  // namespace host
