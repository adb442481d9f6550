#include "platform/ascii_case.h"

namespace platform {

std::string asciiLowered(std::string text) {
    for (char& c : text) c = asciiLower(c);
    return text;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

}  // namespace platform
