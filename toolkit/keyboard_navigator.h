// The window's keyboard, shared by both backends as the pointer tracker is: Tab and Shift+Tab
// move the focus over the stops that can take it, in the form's focus order; Enter and Space
// act on the focused button, Enter on a focused field as a click in it; Escape acts on the
// cancel button; Alt plus a letter on the button with that access key. Keys act through the
// pictures' own mouse handlers: the focus cue is the look the pointer's coming brings (the
// enter of the look taking input, its leave when the focus goes), and acting is that enter
// when the look takes no click, then the click. So a key runs exactly the handlers, and
// writes exactly the log lines, that the pointer would, and a button the pointer cannot act
// on ignores keys too. While a handler runs, keys do nothing.
#pragma once

#include "toolkit/dispatcher.h"
#include "toolkit/form.h"
#include "toolkit/key.h"
#include "toolkit/picture_button.h"

namespace toolkit {

class KeyboardNavigator {
public:
    KeyboardNavigator(Form& form, Dispatcher& dispatcher);

    // True when the window took the key; false leaves it to the focused field as typed (a
    // Space in the folder field).
    bool press(Key key);
    // Alt plus `letter`: true when some button has that access key, usable or not.
    bool accessKey(char letter);

    // The button showing the keyboard's focus cue, or null.
    PictureButton* cueOn() const { return cueOn_; }
    PictureButton* focusedButton() const;
    Control* focusedField() const;

private:
    void ensureFocus();
    void moveFocus(int step);
    void showCue();
    // The cue on the focused button `button`, then its click when the look it brought takes one.
    void actOn(PictureButton& button);
    int indexOf(const PictureButton& button) const;

    Form& form_;
    Dispatcher& dispatcher_;
    PictureButton* cueOn_ = nullptr;
};

}  // namespace toolkit
