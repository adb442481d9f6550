// Busy indicator frames; see busy_ring.h.
#include "toolkit/win32/busy_ring.h"

#include <algorithm>
#include <cmath>

namespace toolkit::win32 {

namespace {
constexpr int kDots = 8;
constexpr double kPi = 3.14159265358979323846;
}  // namespace

void drawBusyRing(std::uint32_t* pixels, int size, int frame, std::uint32_t colour) {
    const std::uint32_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    std::fill(pixels, pixels + size * size, 0u);
    const double centre = size / 2.0;
    const double maxDot = size / 11.0;
    const double ring = centre - maxDot - 1.0;
    const double lead = 2.0 * kPi * (frame % kBusyRingFrames) / kBusyRingFrames;
    for (int dot = 0; dot < kDots; ++dot) {
        // The dots bunch up behind the leader, like beads with momentum.
        const double angle = lead - dot * (2.0 * kPi / (kDots * 1.6));
        const double radius = maxDot * (1.0 - dot * 0.09);
        const double opacity = 1.0 - dot * 0.1;
        const double cx = centre + ring * std::sin(angle);
        const double cy = centre - ring * std::cos(angle);
        const int x0 = std::max(0, static_cast<int>(cx - radius - 1));
        const int x1 = std::min(size - 1, static_cast<int>(cx + radius + 1));
        const int y0 = std::max(0, static_cast<int>(cy - radius - 1));
        const int y1 = std::min(size - 1, static_cast<int>(cy + radius + 1));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const double distance = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                const double coverage = std::clamp(radius - distance + 0.5, 0.0, 1.0) * opacity;
                if (coverage <= 0.0) continue;
                // Premultiplied BGRA; where dots overlap the stronger one wins.
                std::uint32_t& pixel = pixels[y * size + x];
                const auto alpha = std::max(pixel >> 24, static_cast<std::uint32_t>(std::lround(coverage * 255.0)));
                pixel = (alpha << 24) | ((red * alpha / 255) << 16) | ((green * alpha / 255) << 8) | (blue * alpha / 255);
            }
        }
    }
}

}  // namespace toolkit::win32
