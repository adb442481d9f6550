// The busy indicator's animation state.
#include "toolkit/activity_indicator.h"

namespace toolkit {

void ActivityIndicator::setAnimating(bool animating) { setProperty(animating_, animating); }

void ActivityIndicator::setDotColor(Color color) { setProperty(dotColor_, color); }

void ActivityIndicator::advanceFrame() {
    if (!animating_) return;
    frame_ = (frame_ + 1) % kFrameCount;
    changed();
}

}  // namespace toolkit
