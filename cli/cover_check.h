// The cover of a package as the window will show it: pakiet build and verify decode it and
// refuse a cover that would put the Close button (ZAMKNIJ) out of reach on a common screen,
// and warn when it is not of the size the window is designed for. Texts in Polish.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// The largest cover checked, so that checking one takes bounded memory. The window shows a
// cover pixel for pixel only where it fits the screen and shrinks any other to 0.65 of the
// screen's width (ui/cover_display.h): no screen shows more of a cover than its own pixels,
// and the largest screens have 7680 x 4320. A side is bound by 16384, the most a window side
// or a bitmap for it may be on the systems the installer runs on.
inline constexpr long long kMaxCoverPixels = 7680LL * 4320;
inline constexpr int kMaxCoverSide = 16384;
// A JPEG of the largest size is far below this at any quality the window's covers are made
// with; a larger file is no cover, and reading it whole would cost its size twice over.
inline constexpr std::uint64_t kMaxCoverBytes = std::uint64_t{32} << 20;

// The problem with a cover file of `bytes` bytes, when it is larger than kMaxCoverBytes.
std::optional<std::string> coverFileSizeProblem(const std::string& name, std::uint64_t bytes);

struct CoverCheck {
    std::vector<std::string> problems;
    std::vector<std::string> warnings;
};

// `name` is the member name the texts use ("P.jpg"), `bytes` the picture file's content.
// A declared size beyond the limits is refused from the frame header, before any decoding.
CoverCheck checkCover(const std::string& name, const std::string& bytes);

}  // namespace cli
