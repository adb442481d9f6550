// Mask matching over code points, so that '?' takes one whole letter ('ł' as well as 'l').
// Greedy with one remembered star: linear in practice, never exponential.
#include "platform/wildcard.h"

#include "platform/unicode.h"

namespace platform {

namespace {

char32_t foldAscii(char32_t c) { return (c >= U'a' && c <= U'z') ? c - 32 : c; }

}  // namespace

bool matchesMask(std::string_view name, std::string_view mask) {
    const std::u32string text = utf8ToUtf32(name);
    const std::u32string pattern = utf8ToUtf32(mask);
    std::size_t t = 0, p = 0;
    std::size_t starP = std::u32string::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == U'?' || foldAscii(pattern[p]) == foldAscii(text[t]))) {
            ++p;
            ++t;
        } else if (starP != std::u32string::npos) {
            // Let the last star take one more character and try again after it.
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') ++p;
    return p == pattern.size();
}

}  // namespace platform
