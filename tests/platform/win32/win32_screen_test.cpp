// The primary screen's size as the window sizes itself by it, against the screen device
// context's own resolution (GDI, not the window manager's metrics).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/system.h"

namespace {

TEST(Win32Screen, SizeIsTheScreenDeviceContextsResolution) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    const int width = GetDeviceCaps(screen, HORZRES), height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    const platform::ScreenSize size = platform::realSystem().primaryScreenSize();
    EXPECT_EQ(size.width, width);
    EXPECT_EQ(size.height, height);
}

}  // namespace
