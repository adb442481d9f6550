#include "tests/support/random_seed.h"

#include <cstdio>
#include <cstdlib>

namespace testsupport {

void announceSeed(const std::string& what, std::uint64_t seed, const char* rerunVariable) {
    const auto n = static_cast<unsigned long long>(seed);
    std::fprintf(stderr, "%s seed %llu (rerun: %s=%llu)\n", what.c_str(), n, rerunVariable, n);
    std::fflush(stderr);
}

std::optional<std::uint64_t> seedFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || !*value) return std::nullopt;
    return std::strtoull(value, nullptr, 10);
}

}  // namespace testsupport
