// Where the Close button lands when the cover display fits a cover of some size to a screen:
// the window design Form1 sized as the cover display sizes it, its anchors applied, centred
// as start-up and the cover display centre it. Lets pakiet refuse covers that would put
// Close out of reach before any user sees them.
#pragma once

#include <string>

#include "ui/cover_display.h"

namespace ui {

// The screens publishers' users commonly have; a cover must leave Close on both.
inline constexpr Size kCommonScreens[] = {{1366, 768}, {1920, 1080}};
// The cover size the window is designed for.
inline constexpr Size kDesignCover{1040, 585};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct CoverOnScreen {
    Size window;      // the window the cover display makes
    Position position;  // where it is centred
    Rect close;       // bnCloseNormal in screen coordinates
    bool closeInsideWindow = false;  // wholly inside the window's client area
    bool closeOnScreen = false;      // wholly on the screen
    bool closeReachable = false;     // both
};

CoverOnScreen coverOnScreen(Size picture, Size screen);

}  // namespace ui
