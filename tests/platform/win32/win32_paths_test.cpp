// Long paths at the Win32 edge. Wine has no 260-character limit, so the long-path file test
// passes there with or without the prefix; this checks the prefixed form itself.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/wide.h"

namespace {

using platform::win32::toWidePath;

TEST(Win32Paths, ShortPathsStayAsTheyAre) {
    EXPECT_EQ(toWidePath("C:\\Kavitek\\CAD 2.0\\dodatki"), L"C:\\Kavitek\\CAD 2.0\\dodatki");
    EXPECT_EQ(toWidePath("C:/tmp/a"), L"C:/tmp/a");
    EXPECT_EQ(toWidePath("żółw"), L"\u017c\u00f3\u0142w");
}

TEST(Win32Paths, LongPathsBecomeAbsoluteAndPrefixed) {
    const std::string deep(300, 'x');
    EXPECT_EQ(toWidePath("C:\\a\\..\\b/" + deep), L"\\\\?\\C:\\b\\" + std::wstring(300, L'x'));
    EXPECT_EQ(toWidePath("\\\\server\\share\\" + deep),
              L"\\\\?\\UNC\\server\\share\\" + std::wstring(300, L'x'));
    const std::wstring already = L"\\\\?\\C:\\" + std::wstring(300, L'y');
    EXPECT_EQ(toWidePath("\\\\?\\C:\\" + std::string(300, 'y')), already);
}

}  // namespace
