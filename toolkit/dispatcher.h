// The one way a backend calls component handlers. Every call is wrapped: an exception that
// escapes a handler is caught here and its message handed to the error report, and the
// window stays open. One handler runs at a time: an event that comes while one runs (the
// window keeps answering the system during long work) is not delivered. Enter and click reach only a visible, enabled picture; a leave goes to
// the picture that had the enter, whatever it looks like by then (a handler may have hidden
// it meanwhile, and the handler bound to it decides what that means).
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "toolkit/edit.h"
#include "toolkit/event.h"
#include "toolkit/form.h"
#include "toolkit/picture.h"
#include "toolkit/timer.h"

namespace toolkit {

class Dispatcher {
public:
    using ErrorReport = std::function<void(const std::string& message)>;
    explicit Dispatcher(ErrorReport report) : report_(std::move(report)) {}

    // Words an escaped exception for the report. The program installs its own (its users'
    // language, its typed errors); without one, what() is reported, or an empty text for an
    // exception that is no std::exception. Called inside the handler that caught it, so it
    // tells the exception apart by throwing it again (`throw;`), with no exception_ptr kept.
    using ErrorText = std::function<std::string()>;
    void setErrorText(ErrorText errorText) { errorText_ = std::move(errorText); }

    // Runs `handler` if set; returns false when it threw (the report has been made).
    bool invoke(const Event& handler);

    void formCreated(Form& form);
    void timerTick(Timer& timer);  // only while the timer is enabled
    void mouseEnter(Picture& picture);
    void mouseLeave(Picture& picture);
    void click(Picture& picture);
    // The user's typing: the field's text becomes `text` (onChange runs only on a change).
    void userEditedText(Edit& edit, const std::string& text);
    void editClick(Edit& edit);
    // A close request from outside the program; the backend closes the form afterwards.
    void closeRequested(Form& form);
    // True while a handler runs (a backend that lets messages in meanwhile, as the system's
    // session end, must not act on them as if none ran).
    bool handlerRunning() const { return depth_ > 0; }

    // Called after every delivered event (the pointer tracker re-checks what is under a
    // resting pointer, since the handler may have shown or hidden pictures).
    void setAfterEvent(std::function<void()> afterEvent) { afterEvent_ = std::move(afterEvent); }

private:
    void deliver(const Event& handler);
    std::string describeCaught() const;

    ErrorReport report_;
    ErrorText errorText_;
    std::function<void()> afterEvent_;
    int depth_ = 0;
};

// True when a picture takes mouse input now.
inline bool takesMouseInput(const Control& control) {
    return control.visible() && control.enabled();
}

}  // namespace toolkit
