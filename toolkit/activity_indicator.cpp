// The busy indicator's animation state.
#include "toolkit/activity_indicator.h"

namespace toolkit {

void ActivityIndicator::setAnimating(bool animating) {
    if (animating == animating_) return;
    animating_ = animating;
    changed();
}

void ActivityIndicator::setDotColor(Color color) {
    if (color == dotColor_) return;
    dotColor_ = color;
    changed();
}

void ActivityIndicator::advanceFrame() {
    if (!animating_) return;
    frame_ = (frame_ + 1) % kFrameCount;
    changed();
}

}  // namespace toolkit
