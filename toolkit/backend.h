// A backend renders a Form and delivers its input. The installer and its tests talk to this
// interface only; toolkit/headless/ draws nothing and is driven by tests, toolkit/win32/
// makes real windows. The shape of a run:
//
//   backend.initialize(application);      // title, taskbar
//   backend.attach(form);                 // native window and children, observers, gauges
//   backend.dispatcher().formCreated(form);
//   backend.run(form);                    // until close(form)
//   backend.detach(form);                 // before the form and its components are destroyed
//
// Every handler call goes through dispatcher(), so an escaping exception reaches
// showErrorReport and the window stays open.
#pragma once

#include <optional>
#include <string>

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/dispatcher.h"
#include "toolkit/form.h"
#include "toolkit/image.h"

namespace toolkit {

class Backend {
public:
    Backend() : dispatcher_([this](const std::string& message) { showErrorReport(message); }) {}
    virtual ~Backend() = default;
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    Dispatcher& dispatcher() { return dispatcher_; }

    virtual void initialize(const Application& application) = 0;
    // Creates the (hidden) window and the native parts of its components, installs itself as
    // observer of every component and timer, and the immediate repaint of every gauge.
    virtual void attach(Form& form) = 0;
    // Destroys the window and forgets the form: no observer, gauge hook or timer of it is
    // used afterwards. The form's owner calls it before the form or any component goes.
    virtual void detach(Form& form) = 0;
    // Shows the window and runs the message loop until close(form).
    virtual void run(Form& form) = 0;
    virtual void close(Form& form) = 0;
    // Paints the control now, without running the message loop.
    virtual void repaintNow(Control& control) = 0;
    // Called often during a handler's long work: the window answers what the system and other
    // programs send it and repaints what needs it, but takes no input and starts no handler
    // (the dispatcher refuses one inside another). Cheap when called again too soon.
    virtual void keepAlive() {}
    // The standard error report (a message box; headless: recorded).
    virtual void showErrorReport(const std::string& message) = 0;

    // Throws std::runtime_error naming the file when it is not a readable JPEG.
    virtual Image loadJpegFile(const std::string& path) = 0;
    // A built-in picture by its name. `width` x `height` is the size its component gives it: a
    // backend without built-in pictures stands in a blank one of that size.
    virtual Image loadAsset(const std::string& name, int width, int height) = 0;
    // A 32-bit copy of `image` of exactly width x height.
    virtual Image stretch(const Image& image, int width, int height) = 0;
    // The width x height part of `image` whose top left is at x, y (pictures stored together
    // in one built-in picture); throws std::invalid_argument unless the part lies inside.
    virtual Image crop(const Image& image, int x, int y, int width, int height) = 0;
    // The folder chooser; nullopt on cancel.
    virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                    const std::string& startFolder) = 0;

private:
    Dispatcher dispatcher_;
};

}  // namespace toolkit
