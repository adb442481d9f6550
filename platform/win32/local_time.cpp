// The local time from the system, not the C runtime: its time() and localtime() are 32-bit
// in the 32-bit installer (they end in 2038) and two more imports with strftime.
#include <windows.h>

#include "platform/local_time.h"

namespace platform {

namespace {
void appendDigits(std::string& text, unsigned value, int width) {
    char digits[4];
    for (int i = width - 1; i >= 0; --i, value /= 10) digits[i] = static_cast<char>('0' + value % 10);
    text.append(digits, static_cast<std::size_t>(width));
}
}  // namespace

std::string localDateTimeText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string text;
    const WORD parts[] = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const char separators[] = " -- ::";  // before each part but the first
    for (int i = 0; i < 6; ++i) {
        if (i > 0) text += separators[i];
        appendDigits(text, parts[i], i == 0 ? 4 : 2);
    }
    return text;
}

}  // namespace platform
