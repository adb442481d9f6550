// The read-only log box as a window of our own: it paints only the lines in view, reading them
// by index from the Memo it shows, so a log of millions of lines costs nothing until shown.
// Whole lines are selected with the mouse (click, drag, Shift+click) and the keyboard
// (Shift with the arrows, Page Up/Down, Home/End), Ctrl+A selects all, Ctrl+C (Ctrl+Insert,
// WM_COPY) and the context menu copy the selected lines exactly as the log holds them.
// Long lines are never cut: a horizontal scroll bar reaches their ends. Scroll positions are
// 32-bit; WM_GETTEXT gives all lines joined by CR LF.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "toolkit/line_selection.h"
#include "toolkit/memo.h"

namespace toolkit::win32 {

inline constexpr wchar_t kLogViewClass[] = L"LumorLogBox";

class LogView {
public:
    // `memo` holds the lines and the menu captions, and outlives the view.
    LogView(HWND parent, const RECT& bounds, HFONT font, const Memo& memo);
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
    void scrollHorizontallyTo(int left);
    void updateHorizontalRange();
    void showCaret();
    int visibleLines() const;
    int clientWidth() const;
    std::size_t lineAt(int y) const;
    std::wstring allText() const;
    void onKey(WPARAM key);
    void onScroll(int bar, WPARAM request);
    void onLeftButtonDown(WPARAM keys, LPARAM position);
    void onMouseMove(WPARAM keys, LPARAM position);
    void onRightButtonDown(LPARAM position);
    // WM_GETTEXT: the whole text into the caller's buffer of `capacity` characters.
    LRESULT copyTextInto(WPARAM capacity, LPARAM buffer) const;
    void onContextMenu(LPARAM position);
    void copySelection();
    void selectAll();

    HWND window_ = nullptr;
    HFONT font_;
    const Memo& memo_;
    const MemoLines& lines() const { return memo_.lines(); }
    LineSelection selection_;
    int lineHeight_ = 13;
    int averageCharWidth_ = 5;
    int contentWidth_ = 0;  // widest line measured or estimated, in pixels
    long long top_ = 0;
    int left_ = 0;  // horizontal scroll offset in pixels
    bool dragging_ = false;
};

}  // namespace toolkit::win32
