// Colour values of the toolkit: 0x00BBGGRR for plain colours, and named system colours
// (top byte 0xFF, low byte the system's colour index) that a backend resolves at paint time.
#pragma once

#include <cstdint>

#include "toolkit/control.h"

namespace toolkit {

constexpr Color rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Color(red) | (Color(green) << 8) | (Color(blue) << 16);
}

constexpr Color kSystemColorFlag = 0xFF000000u;
constexpr Color kSystemWindow = kSystemColorFlag | 5u;      // the window background colour
constexpr Color kSystemWindowText = kSystemColorFlag | 8u;  // the window text colour

constexpr bool isSystemColor(Color color) { return (color & 0xFF000000u) == kSystemColorFlag; }
constexpr int systemColorIndex(Color color) { return int(color & 0xFFu); }

constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kRed = rgb(255, 0, 0);
constexpr Color kOlive = rgb(128, 128, 0);

}  // namespace toolkit
