// Focus moves, the focus cue and acting on buttons through their pictures' handlers.
#include "toolkit/keyboard_navigator.h"

#include "toolkit/edit.h"

namespace toolkit {

KeyboardNavigator::KeyboardNavigator(Form& form, Dispatcher& dispatcher) : form_(form), dispatcher_(dispatcher) {}

PictureButton* KeyboardNavigator::focusedButton() const {
    const int index = form_.focusIndex();
    return index < 0 ? nullptr : form_.focusOrder()[static_cast<std::size_t>(index)].button;
}

Control* KeyboardNavigator::focusedField() const {
    const int index = form_.focusIndex();
    return index < 0 ? nullptr : form_.focusOrder()[static_cast<std::size_t>(index)].field;
}

int KeyboardNavigator::indexOf(const PictureButton& button) const {
    const auto& order = form_.focusOrder();
    for (std::size_t k = 0; k < order.size(); ++k)
        if (order[k].button == &button) return static_cast<int>(k);
    return -1;
}

void KeyboardNavigator::ensureFocus() {
    // The focused stop may have gone meanwhile (Install after an installation, the field
    // hidden while installing): the focus falls back to the default button.
    if (!form_.canTakeFocus(form_.focusIndex())) form_.focusDefaultButton();
}

void KeyboardNavigator::moveFocus(int step) {
    const int count = static_cast<int>(form_.focusOrder().size());
    const int start = form_.focusIndex() >= 0 ? form_.focusIndex() : (step > 0 ? -1 : count);
    for (int k = 1; k <= count; ++k) {
        const int index = ((start + step * k) % count + count) % count;
        if (form_.canTakeFocus(index)) {
            form_.setFocusIndex(index);
            break;
        }
    }
    showCue();
}

void KeyboardNavigator::showCue() {
    PictureButton* target = focusedButton();
    if (target && !target->usable()) target = nullptr;
    if (cueOn_ && cueOn_ != target)
        if (Picture* look = cueOn_->inputLook(); look && look->onMouseLeave) dispatcher_.mouseLeave(*look);
    cueOn_ = target;
    // Only a look without the click shows no cue yet (Normal); the one taking the click has it.
    if (target)
        if (Picture* look = target->inputLook(); look && look->onMouseEnter) dispatcher_.mouseEnter(*look);
}

void KeyboardNavigator::actOn(PictureButton& button) {
    if (!button.usable()) return;
    form_.setFocusIndex(indexOf(button));
    showCue();
    if (Picture* look = button.inputLook(); look && look->onClick) dispatcher_.click(*look);
}

bool KeyboardNavigator::press(Key key) {
    if (dispatcher_.handlerRunning()) return true;
    ensureFocus();
    switch (key) {
        case Key::Tab:
            moveFocus(1);
            return true;
        case Key::BackTab:
            moveFocus(-1);
            return true;
        case Key::Escape:
            if (PictureButton* cancel = form_.cancelButton()) actOn(*cancel);
            return true;
        case Key::Enter:
        case Key::Space:
            if (PictureButton* button = focusedButton()) {
                actOn(*button);
                return true;
            }
            // Space is typed into a field; Enter there is a click in it.
            if (key == Key::Space && focusedField()) return false;
            if (auto* edit = controlAs<Edit>(focusedField())) dispatcher_.editClick(*edit);
            return true;
    }
    return true;
}

bool KeyboardNavigator::accessKey(char letter) {
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    for (const FocusStop& stop : form_.focusOrder()) {
        if (!stop.button || stop.button->accessKey() != letter) continue;
        if (!dispatcher_.handlerRunning()) actOn(*stop.button);
        return true;
    }
    return false;
}

}  // namespace toolkit
