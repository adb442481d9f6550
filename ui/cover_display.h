// The arithmetic of putting a cover picture on the window: does the picture fit the primary
// screen with the window's border, and if not, the size it is shrunk to (0.65 of the screen
// width, aspect kept, halves rounded to even in extended precision). No window, no pictures.
#pragma once

namespace ui {

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct CoverFit {
    bool fits = false;      // the picture with the border fits the screen (equality fits)
    Size picture;           // the size the picture is shown at (the new client size)
    Size window;            // the new outer window size
    bool center = false;    // the window size changed: centre it again
};

// The share of the screen width a picture too large for the screen gets: the double nearest
// to 0.65, as the window has always used.
inline constexpr double kCoverScreenShare = 0.65;

// Nearest integer, an exact half to the even neighbour, on an extended-precision value.
long long roundHalfEven(long double value);

// window: the current outer size; border: outer minus client size.
CoverFit fitCover(Size picture, Size window, Size border, Size screen);

// The position that centres a window on the screen; halves truncate toward zero, so a window
// larger than the screen gets a negative position.
struct Position {
    int left = 0;
    int top = 0;
    friend bool operator==(const Position&, const Position&) = default;
};
Position centeredPosition(Size window, Size screen);

}  // namespace ui
