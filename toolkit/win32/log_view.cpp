// The virtual log box; see log_view.h.
#include "toolkit/win32/log_view.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "toolkit/win32/wide.h"

namespace toolkit::win32 {

namespace {

constexpr UINT kCopyCommand = 1;
constexpr UINT kSelectAllCommand = 2;
constexpr int kTextMargin = 2;
constexpr long long kToTheEnd = 1LL << 62;

bool keyDown(int key) { return GetKeyState(key) < 0; }

void registerClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window once the object is attached
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // No background brush: the default WM_ERASEBKGND then draws nothing, and paint() fills
    // the whole box itself, so the box never flickers through an erase.
    wc.lpszClassName = kLogViewClass;
    RegisterClassW(&wc);
    done = true;
}

// The thumb's position while it is dragged, on either scroll bar.
int trackPosition(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info.nTrackPos;
}

// Where a scroll-bar command moves a position `at` on either bar: a line or a page either
// way, to an end, or to the thumb (the vertical and horizontal codes share their values).
std::optional<long long> scrollTarget(WORD command, long long at, long long line, long long page, long long end,
                                      int track) {
    switch (command) {
        case SB_LINEUP: return at - line;
        case SB_LINEDOWN: return at + line;
        case SB_PAGEUP: return at - page;
        case SB_PAGEDOWN: return at + page;
        case SB_TOP: return 0;
        case SB_BOTTOM: return end;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: return track;
        default: return std::nullopt;
    }
}

}  // namespace

LogView::LogView(HWND parent, const RECT& bounds, HFONT font, const Memo& memo)
    : font_(font), memo_(memo) {
    registerClass();
    window_ = CreateWindowExW(0, kLogViewClass, L"", WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL, bounds.left,
                              bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LogView::procedure));
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    lineHeight_ = std::max<int>(1, metrics.tmHeight);
    averageCharWidth_ = std::max<int>(1, metrics.tmAveCharWidth);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    linesChanged();
}

LogView::~LogView() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
        DestroyWindow(window_);
    }
}

int LogView::visibleLines() const {
    RECT client{};
    GetClientRect(window_, &client);
    return std::max(1, static_cast<int>((client.bottom - client.top) / lineHeight_));
}

int LogView::clientWidth() const {
    RECT client{};
    GetClientRect(window_, &client);
    return client.right - client.left;
}

std::size_t LogView::lineAt(int y) const {
    const long long line = top_ + (y < 0 ? -1 - (-1 - y) / lineHeight_ : y / lineHeight_);
    return static_cast<std::size_t>(std::max(0LL, line));
}

void LogView::linesChanged() {
    const auto count = static_cast<long long>(lines().size());
    if (count == 0) selection_.clear();
    const long long page = visibleLines();
    top_ = std::max(0LL, count - page);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(std::max(0LL, count - 1));
    info.nPage = static_cast<UINT>(page);
    info.nPos = static_cast<int>(top_);
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
    // The longest line's bytes times the average character: enough to reach the end of lines
    // not painted yet; painting widens it where a line measures wider.
    const long long estimate =
        static_cast<long long>(lines().longestLine()) * averageCharWidth_ + 2 * kTextMargin;
    contentWidth_ = std::max(contentWidth_, static_cast<int>(std::min<long long>(estimate, 1 << 30)));
    updateHorizontalRange();
    InvalidateRect(window_, nullptr, TRUE);
}

void LogView::updateHorizontalRange() {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, contentWidth_ - 1);
    info.nPage = static_cast<UINT>(std::max(1, clientWidth()));
    left_ = std::clamp(left_, 0, std::max(0, contentWidth_ - clientWidth()));
    info.nPos = left_;
    SetScrollInfo(window_, SB_HORZ, &info, TRUE);
}

void LogView::scrollTo(long long top) {
    const auto count = static_cast<long long>(lines().size());
    top = std::clamp(top, 0LL, std::max(0LL, count - visibleLines()));
    if (top == top_) return;
    top_ = top;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = static_cast<int>(top_);
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
    InvalidateRect(window_, nullptr, TRUE);
}

void LogView::scrollHorizontallyTo(int left) {
    left = std::clamp(left, 0, std::max(0, contentWidth_ - clientWidth()));
    if (left == left_) return;
    left_ = left;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = left_;
    SetScrollInfo(window_, SB_HORZ, &info, TRUE);
    InvalidateRect(window_, nullptr, TRUE);
}

void LogView::showCaret() {
    const auto caret = static_cast<long long>(selection_.caret());
    const long long page = visibleLines();
    if (caret < top_) scrollTo(caret);
    if (caret >= top_ + page) scrollTo(caret - page + 1);
    InvalidateRect(window_, nullptr, TRUE);
}

void LogView::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    const auto count = static_cast<long long>(lines().size());
    const long long last = std::min(count, top_ + visibleLines() + 1);
    int widest = contentWidth_;
    for (long long index = top_; index < last; ++index) {
        const std::wstring text = widen(lines()[static_cast<std::size_t>(index)]);
        const LONG rowTop = client.top + static_cast<LONG>((index - top_) * lineHeight_);
        const bool selected = selection_.contains(static_cast<std::size_t>(index));
        if (selected) {
            RECT band{client.left, rowTop, client.right, rowTop + lineHeight_};
            FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        constexpr UINT format = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP;
        RECT measured{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
        widest = std::max(widest, static_cast<int>(measured.right) + 2 * kTextMargin);
        RECT row{client.left + kTextMargin - left_, rowTop, client.left + kTextMargin - left_ + measured.right + 1,
                 rowTop + lineHeight_};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &row, format);
    }
    SelectObject(dc, old);
    EndPaint(window_, &ps);
    if (widest > contentWidth_) {
        contentWidth_ = widest;
        updateHorizontalRange();
    }
}

std::wstring LogView::allText() const {
    const std::size_t count = lines().size();
    return count == 0 ? std::wstring() : widen(lines().joined(0, count - 1, "\r\n"));
}

void LogView::copySelection() {
    if (selection_.empty() || lines().size() == 0) return;
    const std::wstring text = widen(lines().joined(selection_.first(), selection_.last(), "\r\n"));
    if (!OpenClipboard(window_)) return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        if (auto* out = static_cast<wchar_t*>(GlobalLock(memory))) {
            std::copy_n(text.c_str(), text.size() + 1, out);
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

void LogView::selectAll() {
    selection_.selectAll(lines().size());
    InvalidateRect(window_, nullptr, TRUE);
}

void LogView::onKey(WPARAM key) {
    const bool control = keyDown(VK_CONTROL);
    const bool shift = keyDown(VK_SHIFT);
    const std::size_t count = lines().size();
    const long long page = visibleLines();
    long long move = 0;
    switch (key) {
        case 'A':
            if (control) selectAll();
            return;
        case 'C':
        case VK_INSERT:
            if (control) copySelection();
            return;
        case VK_LEFT: scrollHorizontallyTo(left_ - 4 * averageCharWidth_); return;
        case VK_RIGHT: scrollHorizontallyTo(left_ + 4 * averageCharWidth_); return;
        case VK_UP: move = -1; break;
        case VK_DOWN: move = 1; break;
        case VK_PRIOR: move = -page; break;
        case VK_NEXT: move = page; break;
        case VK_HOME: move = -kToTheEnd; break;
        case VK_END: move = kToTheEnd; break;
        default: return;
    }
    if (count == 0) return;
    if (selection_.empty() && !shift) {
        // The first key starts at the first line in view.
        selection_.select(static_cast<std::size_t>(top_), count);
        if (move == 1 || move == -1) move = 0;
    }
    selection_.moveCaret(move, shift, count);
    showCaret();
}

void LogView::onContextMenu(LPARAM position) {
    POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (position == -1) {  // from the keyboard: at the caret line
        at = {kTextMargin, static_cast<LONG>((static_cast<long long>(selection_.caret()) - top_ + 1) * lineHeight_)};
        ClientToScreen(window_, &at);
    }
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    const std::wstring copy = widen(memo_.copyCaption());
    const std::wstring all = widen(memo_.selectAllCaption());
    AppendMenuW(menu, MF_STRING | (selection_.empty() ? MF_GRAYED : 0), kCopyCommand, copy.c_str());
    AppendMenuW(menu, MF_STRING | (lines().size() == 0 ? MF_GRAYED : 0), kSelectAllCommand,
                all.c_str());
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window_, nullptr));
    DestroyMenu(menu);
    if (command == kCopyCommand) copySelection();
    if (command == kSelectAllCommand) selectAll();
}

void LogView::onScroll(int bar, WPARAM request) {
    if (bar == SB_VERT) {
        if (const auto to = scrollTarget(LOWORD(request), top_, 1, visibleLines(), static_cast<long long>(lines().size()),
                                         trackPosition(window_, SB_VERT)))
            scrollTo(*to);
    } else if (const auto to = scrollTarget(LOWORD(request), left_, 4LL * averageCharWidth_, std::max(1, clientWidth()),
                                            contentWidth_, trackPosition(window_, SB_HORZ))) {
        scrollHorizontallyTo(static_cast<int>(*to));
    }
}

void LogView::onLeftButtonDown(WPARAM keys, LPARAM position) {
    SetFocus(window_);
    const std::size_t line = lineAt(GET_Y_LPARAM(position));
    if (keys & MK_SHIFT)
        selection_.extendTo(line, lines().size());
    else
        selection_.select(line, lines().size());
    dragging_ = true;
    SetCapture(window_);
    InvalidateRect(window_, nullptr, TRUE);
}

void LogView::onMouseMove(WPARAM keys, LPARAM position) {
    if (!dragging_ || !(keys & MK_LBUTTON)) return;
    const int y = GET_Y_LPARAM(position);
    RECT client{};
    GetClientRect(window_, &client);
    // Dragging past an edge scrolls a line at a time.
    if (y < 0) scrollTo(top_ - 1);
    if (y >= client.bottom) scrollTo(top_ + 1);
    selection_.extendTo(lineAt(std::clamp<int>(y, 0, std::max<int>(0, client.bottom - 1))), lines().size());
    InvalidateRect(window_, nullptr, TRUE);
}

void LogView::onRightButtonDown(LPARAM position) {
    SetFocus(window_);
    // A right click outside the selection selects its line first, as lists do.
    const std::size_t line = lineAt(GET_Y_LPARAM(position));
    if (!selection_.contains(line) && line < lines().size()) {
        selection_.select(line, lines().size());
        InvalidateRect(window_, nullptr, TRUE);
    }
}

LRESULT LogView::copyTextInto(WPARAM capacity, LPARAM buffer) const {
    const std::wstring text = allText();
    if (capacity == 0) return 0;
    const std::size_t n = std::min(static_cast<std::size_t>(capacity) - 1, text.size());
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    std::copy_n(text.data(), n, out);
    out[n] = L'\0';
    return static_cast<LRESULT>(n);
}

LRESULT LogView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_SIZE:
            linesChanged();
            return 0;
        case WM_VSCROLL:
        case WM_HSCROLL:
            onScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, wParam);
            return 0;
        case WM_MOUSEWHEEL:
            // In int: a wheel step is a short, and 64-bit division would link its runtime helper.
            scrollTo(top_ - 3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            onLeftButtonDown(wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
            onMouseMove(wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            dragging_ = false;
            if (GetCapture() == window_) ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        case WM_RBUTTONDOWN:
            onRightButtonDown(lParam);
            return 0;
        case WM_CONTEXTMENU:
            onContextMenu(lParam);
            return 0;
        case WM_KEYDOWN:
            onKey(wParam);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_COPY:
            copySelection();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window_, nullptr, TRUE);
            return 0;
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(allText().size());
        case WM_GETTEXT:
            return copyTextInto(wParam, lParam);
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK LogView::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<LogView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!view) return DefWindowProcW(window, message, wParam, lParam);
    return view->handle(message, wParam, lParam);
}

}  // namespace toolkit::win32
