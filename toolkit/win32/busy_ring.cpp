// Busy indicator frames; see busy_ring.h.
#include "toolkit/win32/busy_ring.h"

#include <algorithm>
#include <cmath>

#include "platform/round_half_away.h"

namespace toolkit::win32 {

namespace {
constexpr int kDots = 8;
// Cosine and sine of one frame's turn (2 pi / 75) and of the gap between two dots
// (2 pi / 12.8): the dots are placed by rotating, so the installer carries no sine and cosine
// of the C runtime. The rounding this adds is a millionth of a millionth of a pixel.
constexpr double kFrameCos = 0.9964928592495044, kFrameSin = 0.08367784333231548;
constexpr double kGapCos = 0.881921264348355, kGapSin = 0.47139673682599764;
static_assert(kBusyRingFrames == 75, "kFrameCos and kFrameSin turn by 1/75 of the circle");
}  // namespace

void drawBusyRing(std::uint32_t* pixels, int size, int frame, std::uint32_t colour) {
    const std::uint32_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    std::fill(pixels, pixels + size * size, 0u);
    const double centre = size / 2.0;
    const double maxDot = size / 11.0;
    const double ring = centre - maxDot - 1.0;
    // The leader's direction, clockwise from twelve o'clock.
    double sine = 0.0, cosine = 1.0;
    for (int turn = frame % kBusyRingFrames; turn > 0; --turn) {
        const double s = sine * kFrameCos + cosine * kFrameSin;
        cosine = cosine * kFrameCos - sine * kFrameSin;
        sine = s;
    }
    for (int dot = 0; dot < kDots; ++dot) {
        // The dots bunch up behind the leader, like beads with momentum.
        const double radius = maxDot * (1.0 - dot * 0.09);
        const double opacity = 1.0 - dot * 0.1;
        const double cx = centre + ring * sine;
        const double cy = centre - ring * cosine;
        const int x0 = std::max(0, static_cast<int>(cx - radius - 1));
        const int x1 = std::min(size - 1, static_cast<int>(cx + radius + 1));
        const int y0 = std::max(0, static_cast<int>(cy - radius - 1));
        const int y1 = std::min(size - 1, static_cast<int>(cy + radius + 1));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                const double distance = std::sqrt(dx * dx + dy * dy);
                const double coverage = std::clamp(radius - distance + 0.5, 0.0, 1.0) * opacity;
                if (coverage <= 0.0) continue;
                // Premultiplied BGRA; where dots overlap the stronger one wins.
                std::uint32_t& pixel = pixels[y * size + x];
                const auto alpha = std::max(pixel >> 24, static_cast<std::uint32_t>(platform::roundHalfAway(coverage * 255.0)));
                pixel = (alpha << 24) | ((red * alpha / 255) << 16) | ((green * alpha / 255) << 8) | (blue * alpha / 255);
            }
        }
        // The next dot, one gap back round the circle.
        const double s = sine * kGapCos - cosine * kGapSin;
        cosine = cosine * kGapCos + sine * kGapSin;
        sine = s;
    }
}

}  // namespace toolkit::win32
