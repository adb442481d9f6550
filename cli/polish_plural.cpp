// The Polish rule: the form follows the last two digits.
#include "cli/polish_plural.h"

namespace cli {

std::string countOf(std::size_t n, const char* one, const char* few, const char* many) {
    const std::size_t lastTwo = n % 100, last = n % 10;
    const char* form = n == 1 ? one : (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) ? few : many;
    return std::to_string(n) + " " + form;
}

}  // namespace cli
