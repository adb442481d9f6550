// Random checks say their seed before the random work starts, on standard error and flushed
// at once: a crash or a timeout that kills the program must not take the seed with it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace testsupport {

// Prints "<what> seed N (rerun: VARIABLE=N)" and flushes it.
void announceSeed(const std::string& what, std::uint64_t seed, const char* rerunVariable);

// The seed an environment variable names; nothing when it is unset or empty.
std::optional<std::uint64_t> seedFromEnvironment(const char* variable);

}  // namespace testsupport
