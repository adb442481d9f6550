// The window of a Form: creation, painting, children, timers and mouse input.
#include "toolkit/win32/form_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string_view>

#include "toolkit/activity_indicator.h"
#include "toolkit/edit.h"
#include "toolkit/gauge.h"
#include "toolkit/label.h"
#include "toolkit/memo.h"
#include "toolkit/picture.h"
#include "toolkit/static_text.h"
#include "toolkit/toolkit_error.h"
#include "toolkit/win32/common_controls.h"
#include "toolkit/win32/short_list.h"
#include "toolkit/win32/wide.h"

namespace toolkit::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"LumorForm";
constexpr UINT_PTR kBusyTimerId = 1;
constexpr UINT_PTR kFirstTimerId = 100;
constexpr UINT_PTR kSubclassId = 1;
constexpr DWORD kAliveIntervalMs = 100;
// Paint requests answered per keepAlive: a window that stayed invalid after painting would
// otherwise keep the work from going on.
constexpr int kMaxPaintsPerPulse = 64;

RECT boundsOf(const Control& control) {
    return {control.left(), control.top(), control.left() + control.width(), control.top() + control.height()};
}

void registerFormClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    // The executable's own icon (resource 1) is the window's too; the title bar's small one is
    // the icon's own small image, not the large one scaled down.
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_DEFAULTCOLOR));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
    done = true;
}

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(0, copied)));
    return text;
}

// Sets the child's text only when it differs: an edit field would lose its caret otherwise.
void setTextIfChanged(HWND child, std::string_view utf8) {
    const std::wstring text = widen(utf8);
    if (windowText(child) != text) SetWindowTextW(child, text.c_str());
}

}  // namespace

FormWindow::FormWindow(Form& form, Dispatcher& dispatcher, const WicCodec& codec, FontCache& fonts,
                       bool ownTaskbarButton)
    : form_(form), dispatcher_(dispatcher), fonts_(fonts), painter_(codec, fonts), pointer_(form, dispatcher),
      keyboard_(form, dispatcher) {
    registerFormClass();
    const DWORD style = (form.borderless() ? WS_POPUP : WS_OVERLAPPEDWINDOW) | WS_CLIPCHILDREN;
    const DWORD exStyle = ownTaskbarButton ? WS_EX_APPWINDOW : 0;
    if (!form.borderless()) {
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
        form.setFrameExtents(frame.right - frame.left, frame.bottom - frame.top);
    }
    window_ = CreateWindowExW(exStyle, kFormClass, widen(form.caption()).c_str(), style, form.left(), form.top(),
                              form.width(), form.height(), nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw ToolkitError(ToolkitFault::WindowNotCreated, form.name());
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormWindow::procedure));

    form.setObserver(this);
    for (Control* control : form.controls()) {
        control->setObserver(this);
        lastBounds_.emplace_back(control, boundsOf(*control));
        if (auto* gauge = controlAs<Gauge>(control))
            gauge->setImmediateRepaint([this](Gauge& g) { repaintNow(g); });
    }
    createChildren();
    standIns_ = std::make_unique<StandInWindows>(window_, form);
    for (Control* control : form.controls()) {
        if (auto* label = controlAs<Label>(control)) autoSize(*label);
    }
    for (Timer* timer : form.timers()) {
        timers_.push_back(timer);
        timer->setObserver(this);
        timerChanged(*timer);
    }
    updateBusyTimer();
    dispatcher_.setAfterEvent([this] {
        if (closed_) return;
        pointer_.refresh();
        if (editChangedWhileBusy_) {
            editChangedWhileBusy_ = false;
            for (auto& [control, child] : children_)
                if (auto* edit = controlAs<Edit>(control)) onEditCommand(*edit, child);
        }
    });
}

FormWindow::~FormWindow() {
    dispatcher_.setAfterEvent(nullptr);
    form_.setObserver(nullptr);
    for (Control* control : form_.controls()) {
        control->setObserver(nullptr);
        if (auto* gauge = controlAs<Gauge>(control)) gauge->setImmediateRepaint(nullptr);
    }
    for (Timer* timer : timers_) timer->setObserver(nullptr);
    logViews_.clear();
    if (window_) DestroyWindow(window_);
    if (staticBrush_) DeleteObject(staticBrush_);
}

void FormWindow::createChildren() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    int id = 1000;
    for (Control* control : form_.controls()) {
        const DWORD visible = control->visible() ? WS_VISIBLE : 0;
        const RECT r = boundsOf(*control);
        const auto createChild = [&](const wchar_t* className, std::string_view text, DWORD style) {
            HWND child = CreateWindowExW(0, className, widen(text).c_str(), WS_CHILD | style | visible, r.left, r.top,
                                         r.right - r.left, r.bottom - r.top, window_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
            children_.emplace_back(control, child);
            return child;
        };
        if (auto* edit = controlAs<Edit>(control)) {
            HWND child = createChild(L"EDIT", edit->text(), WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
            commonControls().setWindowSubclass(child, &FormWindow::childProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
        } else if (auto* text = controlAs<StaticText>(control)) {
            createChild(L"STATIC", text->caption(), SS_LEFT | SS_NOPREFIX);
        } else if (auto* memo = controlAs<Memo>(control)) {
            const Font& font = memo->font();
            auto view = std::make_unique<LogView>(
                window_, r, fonts_.get(font), *memo);
            if (memo->visible()) ShowWindow(view->handle(), SW_SHOWNA);
            logViews_.emplace_back(control, std::move(view));
        }
    }
    for (auto& [control, child] : children_) {
        syncChild(*control, child);
        // Accessibility clients name a field by the static text just before it in z-order.
        auto* edit = controlAs<Edit>(control);
        if (HWND* caption = edit ? findIn(children_, const_cast<Control*>(edit->labelledBy())) : nullptr)
            SetWindowPos(child, *caption, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void FormWindow::show() {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    applyFocus();
    UpdateWindow(window_);
}

void FormWindow::run() {
    show();
    MSG message;
    while (!closed_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) break;
        if (takeKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void FormWindow::close() {
    if (closed_) return;
    closed_ = true;
    ShowWindow(window_, SW_HIDE);
    // Wakes the loop if the close came from outside a message.
    PostMessageW(window_, WM_NULL, 0, 0);
}

void FormWindow::closeOnRequest() {
    if (closed_) return;
    dispatcher_.closeRequested(form_);
    close();
}

void FormWindow::keepAlive() {
    if (closed_ || keepingAlive_) return;
    const DWORD now = GetTickCount();
    if (now - lastAlive_ < kAliveIntervalMs) return;
    lastAlive_ = now;
    keepingAlive_ = true;
    if (busyAnimating_ && now - lastBusyFrame_ >= ActivityIndicator::kFrameIntervalMs) advanceBusyFrame();
    // PeekMessage first answers every message sent to the thread's windows (that is what
    // keeps the window from counting as hung), then removes only paint requests: the form's,
    // its children's and the stand-ins', all of which just draw the model as it is.
    MSG message;
    for (int k = 0; k < kMaxPaintsPerPulse && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++k)
        DispatchMessageW(&message);
    keepingAlive_ = false;
}

void FormWindow::repaintNow(Control& control) {
    if (HWND* child = findIn(children_, &control)) {
        RedrawWindow(*child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    } else if (auto* view = findIn(logViews_, &control)) {
        RedrawWindow((*view)->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    } else {
        const RECT r = boundsOf(control);
        InvalidateRect(window_, &r, FALSE);
        UpdateWindow(window_);
        standIns_->invalidate(r, true);
    }
    keepAlive();
}

void FormWindow::invalidate(const RECT& rect) {
    InvalidateRect(window_, &rect, FALSE);
    // The form's own painting leaves out its children: the stand-ins show that part.
    if (standIns_) standIns_->invalidate(rect, false);
}

void FormWindow::syncWindowBounds() {
    SetWindowPos(window_, nullptr, form_.left(), form_.top(), form_.width(), form_.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(window_, widen(form_.caption()).c_str());
    RECT client;
    GetClientRect(window_, &client);
    invalidate(client);
}

void FormWindow::syncChild(Control& control, HWND child) {
    syncing_ = true;
    SetWindowPos(child, nullptr, control.left(), control.top(), control.width(), control.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const Font* font = nullptr;
    if (auto* edit = controlAs<Edit>(&control)) {
        font = &edit->font();
        setTextIfChanged(child, edit->text());
        // Shown while the field is empty, also when it has the focus; needs Common Controls 6.
        SendMessageW(child, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(widen(edit->cueText()).c_str()));
    } else if (auto* text = controlAs<StaticText>(&control)) {
        font = &text->font();
        setTextIfChanged(child, text->caption());
    }
    if (font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.get(*font)), TRUE);
    EnableWindow(child, control.enabled());
    ShowWindow(child, control.visible() ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(child, nullptr, TRUE);
    syncing_ = false;
    if (auto* text = controlAs<StaticText>(&control)) autoSize(*text);
}

SIZE FormWindow::captionSize(const Font& font, const std::string& caption, bool asDrawText) {
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, fonts_.get(font));
    const std::wstring text = caption.empty() ? L" " : widen(caption);
    SIZE size{0, 0};
    if (asDrawText) {
        RECT measured{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        size = {measured.right, measured.bottom};
    } else {
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    return size;
}

void FormWindow::resizeFromWindow(Control& control, int width, int height) {
    syncing_ = true;
    control.setBounds(control.left(), control.top(), width, height);
    syncing_ = false;
}

void FormWindow::autoSize(Label& label) {
    if (!label.autoSize() || syncing_) return;
    const SIZE size = captionSize(label.font(), label.caption(), true);
    resizeFromWindow(label, size.cx, size.cy);
}

void FormWindow::autoSize(StaticText& text) {
    if (!text.autoSize() || syncing_) return;
    const SIZE extent = captionSize(text.font(), text.caption(), false);
    // The text plus a margin of twice the border on each side: 230 x 17 for the 8 pt caption
    // of the design, so its white reaches the field below it.
    const int marginX = 4 * GetSystemMetrics(SM_CXBORDER);
    const int marginY = 4 * GetSystemMetrics(SM_CYBORDER);
    resizeFromWindow(text, extent.cx + marginX, extent.cy + marginY);
    if (HWND* child = findIn(children_, static_cast<Control*>(&text)))
        SetWindowPos(*child, nullptr, text.left(), text.top(), text.width(), text.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::controlChanged(Control& control) {
    if (&control == &form_) {
        syncWindowBounds();
        return;
    }
    if (HWND* child = findIn(children_, &control)) {
        if (!syncing_) syncChild(control, *child);
        return;
    }
    if (auto* view = findIn(logViews_, &control)) {
        HWND child = (*view)->handle();
        SetWindowPos(child, nullptr, control.left(), control.top(), control.width(), control.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(child, control.visible() ? SW_SHOWNA : SW_HIDE);
        (*view)->linesChanged();
        // The log grows line by line during long work: a good moment to tell the system we live.
        keepAlive();
        return;
    }
    RECT* known = findIn(lastBounds_, &control);
    RECT& last = known ? *known : lastBounds_.emplace_back(&control, RECT{}).second;
    invalidate(last);
    last = boundsOf(control);
    invalidate(last);
    if (auto* label = controlAs<Label>(&control)) autoSize(*label);
    if (controlAs<ActivityIndicator>(&control)) updateBusyTimer();
    if (standIns_) standIns_->sync(control);
}

void FormWindow::timerChanged(Timer& timer) {
    for (std::size_t k = 0; k < timers_.size(); ++k) {
        if (timers_[k] != &timer) continue;
        const UINT_PTR id = kFirstTimerId + k;
        KillTimer(window_, id);
        if (timer.enabled() && timer.intervalMs() > 0)
            SetTimer(window_, id, static_cast<UINT>(timer.intervalMs()), nullptr);
    }
}

void FormWindow::updateBusyTimer() {
    bool needed = false;
    for (Control* control : form_.controls()) {
        auto* indicator = controlAs<ActivityIndicator>(control);
        if (indicator && indicator->visible() && indicator->animating()) needed = true;
    }
    if (needed == busyAnimating_) return;
    busyAnimating_ = needed;
    if (needed)
        SetTimer(window_, kBusyTimerId, ActivityIndicator::kFrameIntervalMs, nullptr);
    else
        KillTimer(window_, kBusyTimerId);
}

void FormWindow::advanceBusyFrame() {
    lastBusyFrame_ = GetTickCount();
    for (Control* control : form_.controls())
        if (auto* indicator = controlAs<ActivityIndicator>(control); indicator && indicator->visible())
            indicator->advanceFrame();
}

void FormWindow::onTimer(UINT_PTR id) {
    if (id == kBusyTimerId) {
        advanceBusyFrame();
        return;
    }
    if (id >= kFirstTimerId && id - kFirstTimerId < timers_.size())
        dispatcher_.timerTick(*timers_[id - kFirstTimerId]);
}

void FormWindow::renderSurface(HDC target, const RECT& area, int x, int y) {
    RECT client;
    GetClientRect(window_, &client);
    if (client.right <= 0 || client.bottom <= 0 || IsRectEmpty(&area)) return;
    if (!backBuffer_ || backBuffer_->width() != client.right || backBuffer_->height() != client.bottom)
        backBuffer_ = std::make_unique<Bitmap>(client.right, client.bottom);
    HDC memory = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(memory, backBuffer_->handle());
    IntersectClipRect(memory, area.left, area.top, area.right, area.bottom);
    painter_.paint(memory, form_, area);
    BitBlt(target, x, y, area.right - area.left, area.bottom - area.top, memory, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void FormWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    renderSurface(dc, ps.rcPaint, ps.rcPaint.left, ps.rcPaint.top);
    EndPaint(window_, &ps);
}

bool FormWindow::isField(HWND window) {
    for (auto& [control, child] : children_)
        if (child == window && controlAs<Edit>(control)) return true;
    return false;
}

bool FormWindow::takeKey(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    bool inLogBox = false;
    for (auto& [control, view] : logViews_) inLogBox = inLogBox || view->handle() == message.hwnd;
    if (message.hwnd != window_ && !standIns_->owns(message.hwnd) && !isField(message.hwnd) && !inLogBox)
        return false;
    // With no focused window the keys come as system keys too; Alt is bit 29.
    const bool alt = (message.lParam & (1 << 29)) != 0;
    const WPARAM vk = message.wParam;
    bool taken = false, acts = true;
    if (alt) {
        if (vk < 'A' || vk > 'Z') return false;  // Alt+F4 and the like go on
        taken = keyboard_.accessKey(static_cast<char>(vk));
    } else if (GetKeyState(VK_CONTROL) < 0) {
        return false;
    } else if (vk == VK_TAB) {
        taken = keyboard_.press(GetKeyState(VK_SHIFT) < 0 ? Key::BackTab : Key::Tab);
        acts = false;
    } else if (inLogBox && (vk == VK_RETURN || vk == VK_SPACE)) {
        return false;  // the log box has the focus, not the focused stop
    } else if (vk == VK_RETURN) {
        taken = keyboard_.press(Key::Enter);
    } else if (vk == VK_SPACE) {
        taken = keyboard_.press(Key::Space);
    } else if (vk == VK_ESCAPE) {
        taken = keyboard_.press(Key::Escape);
    } else {
        return false;
    }
    if (taken && acts && !closed_) dropInputMadeSince(message.time);
    return taken;
}

void FormWindow::dropInputMadeSince(DWORD since) {
    // What is queued when the action ends was made while it ran: no upper bound by the clock.
    // Wine dates X input by the X server's clock shifted once, which can put a key typed
    // during the action after its end, and that key then acted once the action was over.
    const std::pair<UINT, UINT> kinds[] = {{WM_KEYFIRST, WM_KEYLAST}, {WM_LBUTTONDOWN, WM_MBUTTONDBLCLK}};
    for (const auto& [first, last] : kinds) {
        MSG pending;
        while (PeekMessageW(&pending, nullptr, first, last, PM_NOREMOVE)) {
            if (static_cast<LONG>(pending.time - since) < 0) break;
            PeekMessageW(&pending, nullptr, first, last, PM_REMOVE);
        }
    }
}

void FormWindow::applyFocus() {
    if (closed_ || GetActiveWindow() != window_) return;
    HWND target = window_;
    const int index = form_.focusIndex();
    if (index >= 0) {
        const FocusStop& stop = form_.focusOrder()[static_cast<std::size_t>(index)];
        if (stop.button) {
            HWND button = standIns_->windowOf(*stop.button);
            if (button && IsWindowEnabled(button)) target = button;
        } else if (HWND* child = findIn(children_, stop.field)) {
            target = *child;
        }
    }
    if (GetFocus() != target) SetFocus(target);
}

bool FormWindow::setCursor() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(window_, &p);
    Cursor cursor = Cursor::Default;
    const auto& controls = form_.controls();
    // The topmost enabled surface component under the pointer decides; disabled ones let the
    // one below show through, as they take no mouse input.
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        Control* control = *it;
        if (control->isChildWindow() || !control->visible() || !control->enabled() || !control->contains(p.x, p.y))
            continue;
        cursor = control->cursor();
        break;
    }
    LPCWSTR shape = IDC_ARROW;
    if (cursor == Cursor::Hand) shape = IDC_HAND;
    if (cursor == Cursor::NotAllowed) shape = IDC_NO;
    SetCursor(LoadCursorW(nullptr, shape));
    return true;
}

void FormWindow::onEditCommand(Edit& edit, HWND child) {
    if (syncing_) return;
    if (dispatcher_.handlerRunning()) {
        editChangedWhileBusy_ = true;
        return;
    }
    const std::string text = narrow(windowText(child));
    if (text != edit.text()) dispatcher_.userEditedText(edit, text);
}

void FormWindow::onMouseMove(LPARAM position) {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != 0;
    }
    pointer_.moveTo(GET_X_LPARAM(position), GET_Y_LPARAM(position));
}

void FormWindow::onMouseInput(UINT message, LPARAM position) {
    if (message == WM_MOUSEMOVE) onMouseMove(position);
    else if (message == WM_LBUTTONUP) onLeftButtonUp(position);
    else onLeftButtonDown(position);
}

void FormWindow::onLeftButtonDown(LPARAM position) {
    pointer_.moveTo(GET_X_LPARAM(position), GET_Y_LPARAM(position));
    pressed_ = pointer_.pictureAt(GET_X_LPARAM(position), GET_Y_LPARAM(position));
    if (pressed_) SetCapture(window_);
}

void FormWindow::onLeftButtonUp(LPARAM position) {
    Picture* pressed = pressed_;
    pressed_ = nullptr;
    if (GetCapture() == window_) ReleaseCapture();
    const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
    pointer_.moveTo(x, y);
    // A click is a press and a release on the same picture.
    if (!pressed || pointer_.pictureAt(x, y) != pressed) return;
    const DWORD clickedAt = GetMessageTime();
    pointer_.click();
    if (!closed_) dropInputMadeSince(clickedAt);
}

void FormWindow::onEditChanged(HWND child) {
    for (auto& [control, window] : children_)
        if (window == child)
            if (auto* edit = controlAs<Edit>(control)) onEditCommand(*edit, window);
}

HBRUSH FormWindow::staticTextColors(HDC dc, HWND child) {
    for (auto& [control, window] : children_) {
        auto* text = controlAs<StaticText>(control);
        if (!text || window != child) continue;
        const COLORREF background = resolveColor(text->color());
        SetBkColor(dc, background);
        SetTextColor(dc, resolveColor(text->font().color));
        if (staticBrush_) DeleteObject(staticBrush_);
        staticBrush_ = CreateSolidBrush(background);
        return staticBrush_;
    }
    return nullptr;
}

bool FormWindow::isInput(UINT message) {
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
           message == WM_LBUTTONUP;
}

void FormWindow::onMouseLeave() {
    trackingLeave_ = false;
    if (!pressed_ && !dispatcher_.handlerRunning()) pointer_.leaveWindow();
}

bool FormWindow::onDrawItem(const DRAWITEMSTRUCT& item) {
    RECT area;
    if (!standIns_->shownArea(item.hwndItem, area)) return false;
    renderSurface(item.hDC, area, 0, 0);
    return true;
}

bool FormWindow::onCommand(WPARAM wParam, HWND child) {
    if (HIWORD(wParam) == EN_SETFOCUS) {
        // A click in the field: Tab goes on from there.
        const auto& order = form_.focusOrder();
        for (std::size_t k = 0; k < order.size(); ++k)
            if (HWND* field = findIn(children_, order[k].field); field && *field == child)
                form_.setFocusIndex(static_cast<int>(k));
        return true;
    }
    if (standIns_->owns(child)) return true;  // keys act through the navigator
    if (HIWORD(wParam) == EN_CHANGE) {
        onEditChanged(child);
        return true;
    }
    return false;
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    // Mouse input that reaches the form while a handler runs was sent from elsewhere (keepAlive
    // answers sent messages): it must not move the pointer's state or click.
    if (isInput(message) && dispatcher_.handlerRunning()) return 0;
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == window_ && LOWORD(lParam) == HTCLIENT) return setCursor();
            break;
        case WM_MOUSELEAVE:
            onMouseLeave();
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
            onMouseInput(message, lParam);
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_SETFOCUS:
            // Activation gives the form the focus; it belongs to the focused stop.
            applyFocus();
            return 0;
        case WM_DRAWITEM:
            if (onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_COMMAND:
            if (onCommand(wParam, reinterpret_cast<HWND>(lParam))) return 0;
            break;
        case WM_CTLCOLORSTATIC:
            if (HBRUSH brush = staticTextColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_DPICHANGED:
            // Device pixels everywhere: the window keeps its size on any monitor.
            return 0;
        case WM_CLOSE:
            // Alt+F4, the taskbar, another program. One that comes while a handler works (sent
            // from elsewhere and let in by keepAlive) is dropped: the user can ask again.
            if (!dispatcher_.handlerRunning()) closeOnRequest();
            return 0;
        case WM_QUERYENDSESSION:
            // The session may end, but not in the middle of a handler's work (an installation).
            return dispatcher_.handlerRunning() ? FALSE : TRUE;
        case WM_ENDSESSION:
            // The process may end as soon as this returns: the form's close handler runs now.
            if (wParam && !dispatcher_.handlerRunning()) closeOnRequest();
            return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || self->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::childProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR selfPointer) {
    const LRESULT result = commonControls().defSubclassProc(window, message, wParam, lParam);
    if (message == WM_LBUTTONUP) {
        auto* self = reinterpret_cast<FormWindow*>(selfPointer);
        for (auto& [control, child] : self->children_)
            if (child == window)
                if (auto* edit = controlAs<Edit>(control)) self->dispatcher_.editClick(*edit);
    }
    return result;
}

}  // namespace toolkit::win32
