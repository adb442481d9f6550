// The log box's two scroll bars move their own axis only: a vertical request scrolls lines, a
// horizontal one scrolls the long lines sideways. It needs a display, so scripts/gui-test runs
// it under Wine on its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "toolkit/memo.h"
#include "toolkit/win32/log_view.h"

namespace {

class LogViewScroll : public testing::Test {
protected:
    LogViewScroll() {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        for (int i = 0; i < 200; ++i) memo_.append("wiersz " + std::to_string(i) + std::string(300, 'x'));
    }
    ~LogViewScroll() override { DestroyWindow(parent_); }

    HWND parent_ = nullptr;
    toolkit::Memo memo_{"infoBox"};
};

TEST_F(LogViewScroll, EachBarMovesItsOwnAxis) {
    toolkit::win32::LogView view(parent_, RECT{0, 0, 300, 200},
                                 static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), memo_);
    const HWND box = view.handle();
    // A change of lines shows the last one: the vertical bar stands at its end, the other at 0.
    ASSERT_NE(box, nullptr);
    const int bottom = GetScrollPos(box, SB_VERT);
    ASSERT_GT(bottom, 0);
    ASSERT_EQ(GetScrollPos(box, SB_HORZ), 0);

    SendMessageW(box, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    EXPECT_EQ(GetScrollPos(box, SB_VERT), bottom - 1);
    EXPECT_EQ(GetScrollPos(box, SB_HORZ), 0);

    SendMessageW(box, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    EXPECT_GT(GetScrollPos(box, SB_HORZ), 0);
    EXPECT_EQ(GetScrollPos(box, SB_VERT), bottom - 1);

    SendMessageW(box, WM_HSCROLL, MAKEWPARAM(SB_LEFT, 0), 0);
    EXPECT_EQ(GetScrollPos(box, SB_HORZ), 0);
    SendMessageW(box, WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    EXPECT_EQ(GetScrollPos(box, SB_VERT), 0);
}

}  // namespace
