// The window design sized and centred for a cover; see cover_on_screen.h.
#include "ui/cover_on_screen.h"

#include "ui/form1_design.h"

namespace ui {

CoverOnScreen coverOnScreen(Size picture, Size screen) {
    Form1Design design;
    toolkit::Form& window = design.window;
    const Size border{window.width() - window.clientWidth(), window.height() - window.clientHeight()};
    const CoverFit fit = fitCover(picture, {window.width(), window.height()}, border, screen);
    // Both branches end with the window at fit.window: unchanged when it already had that
    // size (start-up centred it), centred again otherwise.
    window.setSize(fit.window.width, fit.window.height);
    CoverOnScreen result;
    result.window = fit.window;
    result.position = centeredPosition(fit.window, screen);
    const toolkit::Picture& close = design.bnCloseNormal;
    result.close = {result.position.left + close.left(), result.position.top + close.top(), close.width(),
                    close.height()};
    result.closeInsideWindow = close.left() >= 0 && close.top() >= 0 &&
                               close.left() + close.width() <= window.clientWidth() &&
                               close.top() + close.height() <= window.clientHeight();
    result.closeOnScreen = result.close.left >= 0 && result.close.top >= 0 &&
                           result.close.left + result.close.width <= screen.width &&
                           result.close.top + result.close.height <= screen.height;
    result.closeReachable = result.closeInsideWindow && result.closeOnScreen;
    return result;
}

}  // namespace ui
