// The cover of a package as the window will show it: pakiet build and verify decode it and
// refuse a cover that would put the Close button (ZAMKNIJ) out of reach on a common screen,
// and warn when it is not of the size the window is designed for. Texts in Polish.
#pragma once

#include <string>
#include <vector>

namespace cli {

struct CoverCheck {
    std::vector<std::string> problems;
    std::vector<std::string> warnings;
};

// `name` is the member name the texts use ("P.jpg"), `bytes` the picture file's content.
CoverCheck checkCover(const std::string& name, const std::string& bytes);

}  // namespace cli
