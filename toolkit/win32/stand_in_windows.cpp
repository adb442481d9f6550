// Creation and upkeep of the stand-in windows of the form's buttons and labels.
#include "toolkit/win32/stand_in_windows.h"

#include "platform/concat.h"
#include "toolkit/win32/common_controls.h"
#include "toolkit/win32/wide.h"

namespace toolkit::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 2;

LRESULT CALLBACK passMouseToForm(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    return commonControls().defSubclassProc(window, message, wParam, lParam);
}

// "Instaluj" with access key I: "&Instaluj", which accessibility clients read as the name
// "Instaluj" with the shortcut Alt+I.
std::wstring markedName(const PictureButton& button) {
    std::wstring text = widen(platform::concat({"&", button.name()}));
    for (std::size_t k = 1; k + 1 < text.size() && static_cast<wchar_t>(button.accessKey()) != (text[k] & ~0x20); ++k)
        std::swap(text[k - 1], text[k]);
    return text;
}

HWND create(HWND form, const wchar_t* className, DWORD style, const std::wstring& text) {
    HWND window = CreateWindowExW(0, className, text.c_str(), WS_CHILD | style, 0, 0, 0, 0, form, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (window) commonControls().setWindowSubclass(window, passMouseToForm, kSubclassId, 0);
    return window;
}

RECT boundsOf(const Control& control) {
    return {control.left(), control.top(), control.left() + control.width(), control.top() + control.height()};
}

}  // namespace

void StandInWindows::add(const PictureButton* button, const Label* label, HWND window) {
    if (count_ < kMaxEntries) entries_[count_++] = {button, label, window};
}

StandInWindows::StandInWindows(HWND form, const Form& model) {
    for (const FocusStop& stop : model.focusOrder())
        if (stop.button)
            add(stop.button, nullptr, create(form, L"BUTTON", WS_TABSTOP | BS_OWNERDRAW, markedName(*stop.button)));
    for (const Control* control : model.controls())
        if (const auto* label = controlAs<const Label>(control))
            add(nullptr, label, create(form, L"STATIC", SS_OWNERDRAW | SS_NOPREFIX, L""));
    // Below the other children, as the surface they show lies below them all.
    for (const Entry& entry : *this) {
        SetWindowPos(entry.window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        sync(entry);
    }
}

void StandInWindows::sync(const Control& control) {
    for (const Entry& entry : *this)
        if (entry.label == &control || (entry.button && entry.button->owns(control))) sync(entry);
}

void StandInWindows::sync(const Entry& entry) const {
    if (!entry.window) return;
    RECT area;
    shownArea(entry.window, area);
    bool shown = false;
    if (entry.button) {
        shown = entry.button->shown();
        EnableWindow(entry.window, entry.button->usable());
    } else {
        // An empty status line has nothing to read.
        shown = entry.label->visible() && !entry.label->caption().empty();
        const std::wstring text = widen(entry.label->caption());
        wchar_t current[512] = {};
        GetWindowTextW(entry.window, current, 512);
        if (text != current) SetWindowTextW(entry.window, text.c_str());
    }
    SetWindowPos(entry.window, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    InvalidateRect(entry.window, nullptr, FALSE);
}

HWND StandInWindows::windowOf(const PictureButton& button) const {
    for (const Entry& entry : *this)
        if (entry.button == &button) return entry.window;
    return nullptr;
}

bool StandInWindows::owns(HWND window) const {
    for (const Entry& entry : *this)
        if (entry.window == window) return true;
    return false;
}

bool StandInWindows::shownArea(HWND window, RECT& area) const {
    for (const Entry& entry : *this) {
        if (entry.window != window) continue;
        area = boundsOf(entry.button ? entry.button->place() : static_cast<const Control&>(*entry.label));
        return true;
    }
    return false;
}

void StandInWindows::invalidate(const RECT& area, bool now) const {
    for (const Entry& entry : *this) {
        RECT shown, overlap;
        if (!shownArea(entry.window, shown) || !IntersectRect(&overlap, &shown, &area)) continue;
        RedrawWindow(entry.window, nullptr, nullptr, RDW_INVALIDATE | (now ? RDW_UPDATENOW : 0));
    }
}

}  // namespace toolkit::win32
