// Cover fitting arithmetic; see cover_display.h.
#include "ui/cover_display.h"

#include <cmath>
#include <stdexcept>

namespace ui {

long long roundHalfEven(long double value) {
    const long double lower = std::floor(value);
    const long double fraction = value - lower;
    auto result = static_cast<long long>(lower);
    if (fraction > 0.5L || (fraction == 0.5L && (result % 2 != 0))) ++result;
    return result;
}

CoverFit fitCover(Size picture, Size window, Size border, Size screen) {
    CoverFit fit;
    fit.fits = picture.width + border.width <= screen.width &&
               picture.height + border.height <= screen.height;
    if (fit.fits) {
        fit.picture = picture;
        fit.window = {picture.width + border.width, picture.height + border.height};
        fit.center = !(fit.window == window);
        return fit;
    }
    if (picture.width <= 0) throw std::invalid_argument("cover picture without width");
    // The product and the quotient are taken in extended precision with the double constant,
    // so a screen width whose exact product is a half rounds by the constant's excess.
    const long double share = static_cast<long double>(kCoverScreenShare);
    const auto scaleWidth = static_cast<int>(roundHalfEven(static_cast<long double>(screen.width) * share));
    const long double ratio = static_cast<long double>(scaleWidth) / static_cast<long double>(picture.width);
    const auto scaleHeight = static_cast<int>(roundHalfEven(ratio * static_cast<long double>(picture.height)));
    fit.picture = {scaleWidth, scaleHeight};
    fit.window = {scaleWidth + border.width, scaleHeight + border.height};
    fit.center = !(fit.window == window);
    return fit;
}

Position centeredPosition(Size window, Size screen) {
    return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

}  // namespace ui
