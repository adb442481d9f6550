// wchar_t is a UTF-16 code unit on Windows, so the portable converter serves here.
#include "platform/win32/wide.h"

#include "platform/concat.h"
#include "platform/decimal_piece.h"
#include "platform/unicode.h"

namespace platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring toWide(std::string_view text) {
    const std::u16string wide = utf8ToUtf16(text);
    // The code units are copied as bytes (the string's own copy), not converted one by one.
    return std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size());
}

std::string fromWide(std::wstring_view text) {
    return utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

std::string fromWide(const wchar_t* text) {
    return text ? fromWide(std::wstring_view(text)) : std::string();
}

std::wstring toWidePath(std::string_view path) {
    std::wstring wide = toWide(path);
    constexpr std::size_t kClassicLimit = MAX_PATH - 12;  // what CreateDirectoryW accepts
    if (wide.size() < kClassicLimit || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
    // The prefix turns off the system's own clean-up of the path, so do it first:
    // slashes to backslashes, "." and "..", relative to the current directory.
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return wide;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return wide;
    full.resize(length);
    // Prefixed in place: no temporary per piece.
    if (full.rfind(L"\\\\", 0) == 0)
        full.replace(0, 2, L"\\\\?\\UNC\\");
    else
        full.insert(0, L"\\\\?\\");
    return full;
}

std::string systemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) return concat({"system error ", DecimalPiece(error)});
    return fromWide(text);
}

}  // namespace platform::win32
