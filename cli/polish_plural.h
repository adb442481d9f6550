// Polish plural forms: 1 wiersz, 2-4 wiersze (also 22-24, 32-34...), 5 wierszy (also 11-14,
// 25-31...).
#pragma once

#include <cstddef>
#include <string>

namespace cli {

// "N WORD" with the form for N; `one`, `few`, `many` as in wiersz, wiersze, wierszy.
std::string countOf(std::size_t n, const char* one, const char* few, const char* many);

}  // namespace cli
