// The window: caption, border, position, window and client size, colour, font, the components
// in paint order (bottom first) and the timers. Changing the client size moves and stretches
// every component by its anchors, always from the bounds it had when the rule was last
// fixed, so repeated resizing does not accumulate rounding.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/colors.h"
#include "toolkit/control.h"
#include "toolkit/event.h"
#include "toolkit/font.h"
#include "toolkit/picture_button.h"
#include "toolkit/timer.h"

namespace toolkit {

// One place the keyboard focus can rest: a picture button or a child-window field.
struct FocusStop {
    PictureButton* button = nullptr;
    Control* field = nullptr;
};

class Form : public ControlOf<ControlKind::Form> {
public:
    using ControlOf::ControlOf;

    const std::string& caption() const { return caption_; }
    void setCaption(std::string_view caption);
    bool borderless() const { return borderless_; }
    void setBorderless(bool borderless);
    Color color() const { return color_; }
    void setColor(Color color);
    const Font& font() const { return font_; }
    void setFont(const Font& font);

    // Window size = client size + frame; the frame is 0 x 0 for a borderless window and is
    // told by the backend otherwise. left()/top()/width()/height() are the window's.
    int clientWidth() const { return width() - frameWidth_; }
    int clientHeight() const { return height() - frameHeight_; }
    void setClientSize(int width, int height);
    void setFrameExtents(int frameWidth, int frameHeight);
    void setPosition(int left, int top);
    void setSize(int width, int height);

    // Components in paint order, bottom first; the form does not own them.
    void add(Control& control);
    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(const std::string& name) const;
    void addTimer(Timer& timer) { timers_.push_back(&timer); }
    const std::vector<Timer*>& timers() const { return timers_; }

    // Keyboard focus. Tab visits the stops in this order (their visual order), skipping those
    // that cannot take the focus now: a button that is not usable, a hidden or disabled field.
    void setFocusOrder(std::vector<FocusStop> order) { focusOrder_ = std::move(order); }
    const std::vector<FocusStop>& focusOrder() const { return focusOrder_; }
    // The button Escape acts on.
    void setCancelButton(PictureButton* button) { cancelButton_ = button; }
    PictureButton* cancelButton() const { return cancelButton_; }
    // Index of the focused stop in the order, -1 for none. A change is told to the form's
    // observer (focusMoved).
    int focusIndex() const { return focusIndex_; }
    void setFocusIndex(int index);
    bool canTakeFocus(int index) const;
    // The first usable button of the order (the one Enter should act on), else the first stop
    // that can take the focus, else none.
    void focusDefaultButton();

    Event onCreate;  // through the Dispatcher only
    // The window is being closed from outside the program (Alt+F4, the taskbar, the end of
    // the user's session), not by Backend::close: runs once, then the backend closes it.
    // Through the Dispatcher only.
    Event onClose;

protected:
    void sizeChanged(int oldWidth, int oldHeight) override;

private:
    struct AnchorRule {
        Control* control;
        int left, top, width, height;   // bounds when the rule was fixed
        int parentWidth, parentHeight;  // client size then
        int lastLeft, lastTop, lastWidth, lastHeight;  // bounds the form last gave it
    };
    void applyAnchors();

    std::string caption_;
    bool borderless_ = false;
    Color color_ = kSystemWindow;
    Font font_;
    int frameWidth_ = 0, frameHeight_ = 0;
    int laidOutWidth_ = 0, laidOutHeight_ = 0;  // client size the anchors were applied for
    std::vector<Control*> controls_;
    std::vector<AnchorRule> anchorRules_;
    std::vector<Timer*> timers_;
    std::vector<FocusStop> focusOrder_;
    PictureButton* cancelButton_ = nullptr;
    int focusIndex_ = -1;
};

}  // namespace toolkit
