// Member names without the UTF-8 flag are in code page 437, as the ZIP format prescribes.
#pragma once

#include <string>
#include <string_view>

namespace zip {

// Converts code page 437 bytes to UTF-8 (bytes below 0x80 are ASCII, control codes included).
std::string cp437ToUtf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates, at most U+10FFFF).
bool isValidUtf8(std::string_view bytes);

}  // namespace zip
