// Property changes of the base component, each told to the observer.
#include "toolkit/control.h"

namespace toolkit {

void Control::setBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const int oldWidth = width_, oldHeight = height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    changed();
    if (width != oldWidth || height != oldHeight) sizeChanged(oldWidth, oldHeight);
}

void Control::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    changed();
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    changed();
}

void Control::setCursor(Cursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    changed();
}

bool Control::contains(int x, int y) const {
    return x >= left_ && x < left_ + width_ && y >= top_ && y < top_ + height_;
}

void Control::changed() {
    if (observer_) observer_->controlChanged(*this);
}

}  // namespace toolkit
