// Letter case of the ASCII letters A-Z only: switches, keys and names that the system spells
// in ASCII and compares without case. Every other byte, UTF-8 included, is kept as it is.
#pragma once

#include <string>
#include <string_view>

namespace platform {

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string asciiLowered(std::string text);

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace platform
