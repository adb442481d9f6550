// The virtual log box; see log_view.h.
#include "toolkit/win32/log_view.h"

#include <algorithm>

#include "toolkit/win32/wide.h"

namespace toolkit::win32 {

namespace {
void registerClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window once the object is attached
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kLogViewClass;
    RegisterClassW(&wc);
    done = true;
}
}  // namespace

LogView::LogView(HWND parent, const RECT& bounds, HFONT font, LogViewSource source)
    : font_(font), source_(std::move(source)) {
    registerClass();
    window_ = CreateWindowExW(0, kLogViewClass, L"", WS_CHILD | WS_BORDER | WS_VSCROLL, bounds.left, bounds.top,
                              bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LogView::procedure));
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    lineHeight_ = std::max<int>(1, metrics.tmHeight);
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

void LogView::linesChanged() {
    const auto count = static_cast<long long>(source_.count());
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
    InvalidateRect(window_, nullptr, TRUE);
}

void LogView::scrollTo(long long top) {
    const auto count = static_cast<long long>(source_.count());
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

void LogView::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const auto count = static_cast<long long>(source_.count());
    const long long last = std::min(count, top_ + visibleLines() + 1);
    for (long long index = top_; index < last; ++index) {
        const std::wstring text = widen(source_.line(static_cast<std::size_t>(index)));
        RECT row{client.left + 2, client.top + static_cast<LONG>((index - top_) * lineHeight_), client.right,
                 client.top + static_cast<LONG>((index - top_ + 1) * lineHeight_)};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &row,
                  DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS | DT_END_ELLIPSIS);
    }
    SelectObject(dc, old);
    EndPaint(window_, &ps);
}

std::wstring LogView::allText() const {
    std::string text;
    const std::size_t count = source_.count();
    for (std::size_t i = 0; i < count; ++i) {
        if (i) text += "\r\n";
        text += source_.line(i);
    }
    return widen(text);
}

LRESULT LogView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            linesChanged();
            return 0;
        case WM_VSCROLL: {
            SCROLLINFO info{};
    info.cbSize = sizeof(info);
            info.fMask = SIF_ALL;
            GetScrollInfo(window_, SB_VERT, &info);
            const long long page = visibleLines();
            switch (LOWORD(wParam)) {
                case SB_LINEUP: scrollTo(top_ - 1); break;
                case SB_LINEDOWN: scrollTo(top_ + 1); break;
                case SB_PAGEUP: scrollTo(top_ - page); break;
                case SB_PAGEDOWN: scrollTo(top_ + page); break;
                case SB_TOP: scrollTo(0); break;
                case SB_BOTTOM: scrollTo(static_cast<long long>(source_.count())); break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION: scrollTo(info.nTrackPos); break;
                default: break;
            }
            return 0;
        }
        case WM_MOUSEWHEEL:
            scrollTo(top_ - 3LL * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
            return 0;
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(allText().size());
        case WM_GETTEXT: {
            const std::wstring text = allText();
            const auto capacity = static_cast<std::size_t>(wParam);
            if (capacity == 0) return 0;
            const std::size_t n = std::min(capacity - 1, text.size());
            auto* out = reinterpret_cast<wchar_t*>(lParam);
            std::copy_n(text.data(), n, out);
            out[n] = L'\0';
            return static_cast<LRESULT>(n);
        }
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
