// The real window of one Form: a borderless (or framed) top-level window whose surface we draw
// double-buffered, the native child windows of its edit, static text and log box, the stand-in
// windows of its picture buttons and labels, its timers, the mouse input it hands to the
// portable pointer tracker and the keys it hands to the portable keyboard navigator. Only
// run() takes input; keepAlive() lets a long handler's window answer and repaint.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/keyboard_navigator.h"
#include "toolkit/pointer_tracker.h"
#include "toolkit/win32/bitmap.h"
#include "toolkit/win32/fonts.h"
#include "toolkit/win32/log_view.h"
#include "toolkit/win32/stand_in_windows.h"
#include "toolkit/win32/surface_painter.h"

namespace toolkit {
class Edit;
class StaticText;
class Memo;
class Label;
}  // namespace toolkit

namespace toolkit::win32 {

class FormWindow : private ControlObserver, private TimerObserver {
public:
    FormWindow(Form& form, Dispatcher& dispatcher, const WicCodec& codec, FontCache& fonts, bool ownTaskbarButton);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND handle() const { return window_; }
    void show();
    // Runs the message loop until close().
    void run();
    void close();
    // A close asked for from outside the program: the form's onClose, then close().
    void closeOnRequest();
    bool closed() const { return closed_; }
    // Paints the control now (gauge progress during long work).
    void repaintNow(Control& control);
    // During a handler's long work, at most every kAliveIntervalMs: answers the messages sent
    // to the thread's windows (another program reading the title, the system's session end),
    // steps the busy indicator and paints what is invalid. Input, timers and posted messages
    // stay queued for run(); no handler starts.
    void keepAlive();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK childProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void controlChanged(Control& control) override;
    void focusMoved() override { applyFocus(); }
    void timerChanged(Timer& timer) override;

    void createChildren();
    void paint();
    // Paints `area` of the form's surface into `target` with its top left at x, y.
    void renderSurface(HDC target, const RECT& area, int x, int y);
    // Tab, Enter, Space, Escape and Alt+letter aimed at the form or its children, taken before
    // they are dispatched (in the log box Tab, Escape and Alt+letter only); false for every
    // other key, which goes on as typed.
    bool takeKey(const MSG& message);
    // Keys typed and mouse buttons pressed while a key's or click's action ran (an
    // installation) are dropped: the buttons looked disabled then, and Close, enabled when
    // the installation ends, must not act on a click made while it was not.
    void dropInputMadeSince(DWORD since);
    // The system's focus onto the form's focused stop, while the window is the active one.
    void applyFocus();
    bool isField(HWND window);
    void invalidate(const RECT& rect);
    void syncWindowBounds();
    void syncChild(Control& control, HWND child);
    void autoSize(Label& label);
    void autoSize(StaticText& text);
    // The caption's size in `font`; an empty caption keeps the height of one line and the
    // width of a blank. A label is measured as DrawText draws it on the surface, a static
    // text child as the system's text extent.
    SIZE captionSize(const Font& font, const std::string& caption, bool asDrawText);
    // Gives the component the measured size without treating it as the program's own move.
    void resizeFromWindow(Control& control, int width, int height);
    void updateBusyTimer();
    void advanceBusyFrame();
    // Mouse input and timers, which run handlers or move the pointer's state.
    static bool isInput(UINT message);
    bool setCursor();
    void onTimer(UINT_PTR id);
    void onEditCommand(Edit& edit, HWND child);
    void onMouseMove(LPARAM position);
    void onMouseInput(UINT message, LPARAM position);
    void onMouseLeave();
    void onLeftButtonDown(LPARAM position);
    void onLeftButtonUp(LPARAM position);
    void onEditChanged(HWND child);
    // WM_CTLCOLORSTATIC: sets the static text child's colours and gives its background brush;
    // nullptr when `child` is no static text of ours.
    HBRUSH staticTextColors(HDC dc, HWND child);
    // WM_DRAWITEM and WM_COMMAND; false leaves the message to the default procedure.
    bool onDrawItem(const DRAWITEMSTRUCT& item);
    bool onCommand(WPARAM wParam, HWND child);

    Form& form_;
    Dispatcher& dispatcher_;
    FontCache& fonts_;
    SurfacePainter painter_;
    PointerTracker pointer_;
    KeyboardNavigator keyboard_;
    HWND window_ = nullptr;
    std::unique_ptr<StandInWindows> standIns_;
    std::unique_ptr<Bitmap> backBuffer_;
    // Per control, in short lists (short_list.h).
    std::vector<std::pair<Control*, HWND>> children_;
    std::vector<std::pair<Control*, std::unique_ptr<LogView>>> logViews_;
    // Where each surface control was last drawn.
    std::vector<std::pair<Control*, RECT>> lastBounds_;
    std::vector<Timer*> timers_;  // the timer with id kFirstTimerId + index
    HBRUSH staticBrush_ = nullptr;
    Picture* pressed_ = nullptr;  // the picture the left button went down on
    bool trackingLeave_ = false;
    bool syncing_ = false;  // our own changes of native children or the model's sizes
    bool closed_ = false;
    bool keepingAlive_ = false;  // inside keepAlive: painting must not call it again
    bool busyAnimating_ = false;
    DWORD lastAlive_ = 0;
    DWORD lastBusyFrame_ = 0;
    // An edit's text changed (a message from elsewhere) while a handler ran: the model learns
    // it when the handler has ended.
    bool editChangedWhileBusy_ = false;
};

}  // namespace toolkit::win32
