// Property changes of a component notify its observer.
#include "toolkit/control.h"

namespace toolkit {

void Control::setBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    changed();
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    changed();
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    changed();
}

void Control::changed() {
    if (observer_) observer_->controlChanged(*this);
}

}  // namespace toolkit
