// Hit-testing of pictures and the enter/leave pairs of a moving or resting pointer.
#include "toolkit/pointer_tracker.h"

namespace toolkit {

PointerTracker::PointerTracker(Form& form, Dispatcher& dispatcher)
    : form_(form), dispatcher_(dispatcher) {}

Picture* PointerTracker::pictureAt(int x, int y) const {
    const auto& controls = form_.controls();
    for (Control* control : controls)
        if (control->isChildWindow() && control->visible() && control->contains(x, y))
            return nullptr;
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        auto* picture = controlAs<Picture>(*it);
        if (picture && takesMouseInput(*picture) && picture->contains(x, y)) return picture;
    }
    return nullptr;
}

void PointerTracker::moveTo(int x, int y) {
    position_ = {x, y};
    refresh();
}

void PointerTracker::leaveWindow() {
    position_.reset();
    refresh();
}

void PointerTracker::click() {
    if (!position_) return;
    if (Picture* target = pictureAt(position_->first, position_->second))
        dispatcher_.click(*target);
}

void PointerTracker::refresh() {
    // A handler run from here may change the pictures again; the loop follows it, bounded so
    // that two handlers undoing each other cannot hold the window.
    if (refreshing_) return;
    refreshing_ = true;
    for (int round = 0; round < 16; ++round) {
        Picture* target = position_ ? pictureAt(position_->first, position_->second) : nullptr;
        if (target == entered_) break;
        Picture* left = entered_;
        entered_ = target;
        if (left) dispatcher_.mouseLeave(*left);
        if (target && entered_ == target) dispatcher_.mouseEnter(*target);
    }
    refreshing_ = false;
}

}  // namespace toolkit
