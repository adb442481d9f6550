// The form's properties, its component list and the anchoring of components on resize.
#include "toolkit/form.h"

#include <algorithm>
#include <cmath>

#include "platform/round_half_away.h"

namespace toolkit {

void Form::setCaption(std::string_view caption) { setProperty(caption_, caption); }

void Form::setBorderless(bool borderless) { setProperty(borderless_, borderless); }

void Form::setColor(Color color) { setProperty(color_, color); }

void Form::setFont(const Font& font) { setProperty(font_, font); }

void Form::setClientSize(int width, int height) {
    setBounds(left(), top(), width + frameWidth_, height + frameHeight_);
}

void Form::setFrameExtents(int frameWidth, int frameHeight) {
    const int clientW = clientWidth(), clientH = clientHeight();
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    setBounds(left(), top(), clientW + frameWidth, clientH + frameHeight);
}

void Form::setPosition(int left, int top) { setBounds(left, top, width(), height()); }

void Form::setSize(int width, int height) { setBounds(left(), top(), width, height); }

void Form::add(Control& control) {
    controls_.push_back(&control);
    anchorRules_.push_back({&control, control.left(), control.top(), control.width(),
                            control.height(), clientWidth(), clientHeight(), control.left(),
                            control.top(), control.width(), control.height()});
    laidOutWidth_ = clientWidth();
    laidOutHeight_ = clientHeight();
}

Control* Form::find(const std::string& name) const {
    for (Control* control : controls_)
        if (control->name() == name) return control;
    return nullptr;
}

void Form::sizeChanged(int, int) { applyAnchors(); }

void Form::setFocusIndex(int index) {
    if (index < -1 || index >= static_cast<int>(focusOrder_.size())) index = -1;
    if (index == focusIndex_) return;
    focusIndex_ = index;
    if (observer()) observer()->focusMoved();
}

bool Form::canTakeFocus(int index) const {
    if (index < 0 || index >= static_cast<int>(focusOrder_.size())) return false;
    const FocusStop& stop = focusOrder_[static_cast<std::size_t>(index)];
    if (stop.button) return stop.button->usable();
    return stop.field && stop.field->visible() && stop.field->enabled();
}

void Form::focusDefaultButton() {
    const int count = static_cast<int>(focusOrder_.size());
    for (int k = 0; k < count; ++k)
        if (focusOrder_[static_cast<std::size_t>(k)].button && canTakeFocus(k)) return setFocusIndex(k);
    for (int k = 0; k < count; ++k)
        if (canTakeFocus(k)) return setFocusIndex(k);
    setFocusIndex(-1);
}

namespace {

// One axis of an anchor rule: the new start and length of a component whose start and
// length were `start`, `length` in a parent of `parentLength`, now `newParentLength`.
std::pair<int, int> anchorAxis(bool nearEdge, bool farEdge, int start, int length,
                               int parentLength, int newParentLength) {
    const int delta = newParentLength - parentLength;
    if (nearEdge && farEdge) return {start, std::max(0, length + delta)};
    if (farEdge) return {start + delta, length};
    if (nearEdge || parentLength <= 0) return {start, length};
    // Neither edge: the centre keeps its relative place.
    const double centre = start + length / 2.0;
    const double newCentre = centre * newParentLength / parentLength;
    return {static_cast<int>(platform::roundHalfAway(newCentre - length / 2.0)), length};
}

}  // namespace

void Form::applyAnchors() {
    const int newW = clientWidth(), newH = clientHeight();
    if (newW == laidOutWidth_ && newH == laidOutHeight_) return;
    for (AnchorRule& rule : anchorRules_) {
        Control& c = *rule.control;
        // Moved or sized by the program since the last layout: that is its new rule. A rule
        // fixed while the form had no size yet takes the first real size as its own.
        const bool noParentYet = rule.parentWidth <= 0 || rule.parentHeight <= 0;
        if (noParentYet || c.left() != rule.lastLeft || c.top() != rule.lastTop ||
            c.width() != rule.lastWidth || c.height() != rule.lastHeight) {
            rule.left = c.left();
            rule.top = c.top();
            rule.width = c.width();
            rule.height = c.height();
            rule.parentWidth = noParentYet ? newW : laidOutWidth_;
            rule.parentHeight = noParentYet ? newH : laidOutHeight_;
        }
        const Anchors& a = c.anchors();
        const auto [left, width] =
            anchorAxis(a.left, a.right, rule.left, rule.width, rule.parentWidth, newW);
        const auto [top, height] =
            anchorAxis(a.top, a.bottom, rule.top, rule.height, rule.parentHeight, newH);
        c.setBounds(left, top, width, height);
        rule.lastLeft = left;
        rule.lastTop = top;
        rule.lastWidth = width;
        rule.lastHeight = height;
    }
    laidOutWidth_ = newW;
    laidOutHeight_ = newH;
}

}  // namespace toolkit
