// Paths as plain text joined with the platform's separator.
#pragma once

#include <string>

namespace platform {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// The folder with the separator at its end (unchanged when it already has one).
std::string withTrailingSeparator(std::string folder);

}  // namespace platform
