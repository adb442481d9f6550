// The read-only log box as a window of our own: it paints only the lines in view, asking its
// owner for them by index, so a log of millions of lines costs nothing until it is shown.
// Vertical scroll bar with 32-bit positions; WM_GETTEXT gives all lines joined by CR LF.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

namespace toolkit::win32 {

inline constexpr wchar_t kLogViewClass[] = L"LumorLogBox";

struct LogViewSource {
    std::function<std::size_t()> count;
    std::function<std::string(std::size_t)> line;  // UTF-8
};

class LogView {
public:
    LogView(HWND parent, const RECT& bounds, HFONT font, LogViewSource source);
    ~LogView();
    LogView(const LogView&) = delete;
    LogView& operator=(const LogView&) = delete;

    HWND handle() const { return window_; }
    // The owner's lines changed: new range, the last line scrolled into view.
    void linesChanged();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void scrollTo(long long top);
    int visibleLines() const;
    std::wstring allText() const;

    HWND window_ = nullptr;
    HFONT font_;
    LogViewSource source_;
    int lineHeight_ = 13;
    long long top_ = 0;
};

}  // namespace toolkit::win32
