// The backend that draws nothing: tests and the silent installation drive it. It keeps a
// virtual clock for the timers, a pointer that tests move onto named pictures, the keyboard,
// and records error reports; the folder chooser is always cancelled. What only tests read
// back (repaints, change counts, scripted folder answers) is RecordingHeadlessBackend's, so
// the stub, which runs this backend in its silent mode, does not carry it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/image_decoder.h"
#include "toolkit/key.h"
#include "toolkit/keyboard_navigator.h"
#include "toolkit/pointer_tracker.h"

namespace toolkit {

class HeadlessBackend : public Backend, private ControlObserver, private TimerObserver {
public:
    // Without a decoder loadJpegFile throws.
    explicit HeadlessBackend(ImageDecoder* decoder = nullptr);
    ~HeadlessBackend() override;

    void initialize(const Application& application) override;
    void attach(Form& form) override;
    void detach(Form& form) override;
    // Runs queued actions (post) and due timers on the virtual clock until the form closes,
    // or nothing is left to do within `idleLimitMs` of virtual time.
    void run(Form& form) override;
    void close(Form& form) override;
    void repaintNow(Control& control) override;
    void showErrorReport(const std::string& message) override;
    Image loadJpegFile(const std::string& path) override;
    // A blank picture of the given size: the headless backend has no built-in pictures.
    Image loadAsset(const std::string& name, int width, int height) override;
    Image stretch(const Image& image, int width, int height) override;
    Image crop(const Image& image, int x, int y, int width, int height) override;
    // Cancelled: nobody answers it.
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& startFolder) override;

    // --- driving it ---
    // Input (pointer, clicks, typing, keys, close requests) given while a handler runs is
    // dropped, as the Win32 window drops what reaches it during long work.
    void post(std::function<void()> action) { queue_.push_back(std::move(action)); }
    void setIdleLimitMs(long long limit) { idleLimitMs_ = limit; }
    // Advances the virtual clock, ticking every enabled timer that falls due, in time order.
    void advanceTime(long long ms);
    long long now() const { return nowMs_; }
    void moveMouseTo(int x, int y);
    // Moves the pointer to the centre of the named control.
    void moveMouseOnto(const std::string& name);
    void moveMouseOff();
    void click();
    void clickOn(const std::string& name);
    void typeInto(const std::string& editName, const std::string& text);
    void clickEdit(const std::string& editName);
    // The window closed from outside the program (Alt+F4, the end of the session): the
    // form's onClose runs, then the form closes; while a handler runs nothing happens.
    void requestClose();
    // A key pressed in the window, as the Win32 backend hands it over; false when the window
    // left it to the focused field (Space typed into it).
    bool pressKey(Key key);
    // Alt plus a letter; false when no button has that access key.
    bool pressAccessKey(char letter);

    // --- reading it back ---
    const Application& application() const { return application_; }
    bool shown() const { return shown_; }
    bool closed() const { return closed_; }
    const std::vector<std::string>& errorReports() const { return errorReports_; }
    PointerTracker& pointer();
    KeyboardNavigator& keyboard();
    Form& form();

protected:
    void controlChanged(Control& control) override;

private:
    void timerChanged(Timer& timer) override;
    void unschedule(const Timer& timer);
    Control& named(const std::string& name);

    ImageDecoder* decoder_;
    Application application_;
    Form* form_ = nullptr;
    std::unique_ptr<PointerTracker> pointer_;
    std::unique_ptr<KeyboardNavigator> keyboard_;
    // First in, first out; only tests post, a few actions each (a std::deque would add its
    // code to the stub).
    std::vector<std::function<void()>> queue_;
    // When each enabled timer ticks next: a handful of timers, so a plain list (a std::map
    // would add its tree code to the stub, which runs this backend in silent mode).
    std::vector<std::pair<const Timer*, long long>> dueAt_;
    long long nowMs_ = 0;
    long long idleLimitMs_ = 60LL * 60 * 1000;
    bool shown_ = false;
    bool closed_ = false;
    std::vector<std::string> errorReports_;
};

}  // namespace toolkit
