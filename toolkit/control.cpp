// Property changes of the base component, each told to the observer.
#include "toolkit/control.h"

namespace toolkit {

Control::Control(const char* name) : name_(name) {}

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

void Control::setVisible(bool visible) { setProperty(visible_, visible); }

void Control::setEnabled(bool enabled) { setProperty(enabled_, enabled); }

void Control::setCursor(Cursor cursor) { setProperty(cursor_, cursor); }

bool Control::contains(int x, int y) const {
    return x >= left_ && x < left_ + width_ && y >= top_ && y < top_ + height_;
}

void Control::changed() {
    if (observer_) observer_->controlChanged(*this);
}

}  // namespace toolkit
