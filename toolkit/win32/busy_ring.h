// Frames of the busy indicator: a ring of black dots chasing each other round the circle,
// each trailing dot smaller and fainter, drawn anti-aliased into premultiplied BGRA pixels.
#pragma once

#include <cstdint>

namespace toolkit::win32 {

inline constexpr int kBusyRingFrames = 75;
inline constexpr int kBusyRingFrameMs = 50;

// Clears the size x size pixels and draws frame `frame` (taken modulo the frame count).
// `colour` is 0x00BBGGRR.
void drawBusyRing(std::uint32_t* pixels, int size, int frame, std::uint32_t colour);

}  // namespace toolkit::win32
