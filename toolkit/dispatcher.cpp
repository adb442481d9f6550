// Handler calls with the exception barrier, and the input rules for pictures.
#include "toolkit/dispatcher.h"

#include <exception>

namespace toolkit {

// Only inside a handler: `throw;` rethrows what it caught.
std::string Dispatcher::describeCaught() const {
    if (errorText_) {
        try {
            return errorText_();
        } catch (...) {
            // The wording failed; the plain text below still reports the error.
        }
    }
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return std::string();
    }
}

bool Dispatcher::invoke(const Event& handler) {
    if (!handler) return true;
    try {
        handler();
        return true;
    } catch (...) {
        report_(describeCaught());
    }
    return false;
}

void Dispatcher::deliver(const Event& handler) {
    // What reaches the window while a handler works (let in by Backend::keepAlive) would run
    // the install or the close handler inside themselves: it is dropped.
    if (depth_ > 0) return;
    ++depth_;
    invoke(handler);
    --depth_;
    if (afterEvent_) afterEvent_();
}

void Dispatcher::formCreated(Form& form) { deliver(form.onCreate); }

void Dispatcher::timerTick(Timer& timer) {
    if (timer.enabled()) deliver(timer.onTimer);
}

void Dispatcher::mouseEnter(Picture& picture) {
    if (takesMouseInput(picture)) deliver(picture.onMouseEnter);
}

void Dispatcher::mouseLeave(Picture& picture) { deliver(picture.onMouseLeave); }

void Dispatcher::click(Picture& picture) {
    if (takesMouseInput(picture)) deliver(picture.onClick);
}

void Dispatcher::userEditedText(Edit& edit, const std::string& text) {
    if (!takesMouseInput(edit)) return;
    deliver([&edit, &text] { edit.setText(text); });
}

void Dispatcher::closeRequested(Form& form) { deliver(form.onClose); }

void Dispatcher::editClick(Edit& edit) {
    if (takesMouseInput(edit)) deliver(edit.onClick);
}

}  // namespace toolkit
