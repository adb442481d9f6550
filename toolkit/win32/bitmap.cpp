// DIB sections for decoded pictures and the window's back buffer.
#include "toolkit/win32/bitmap.h"

#include <stdexcept>
#include <string>

#include "toolkit/toolkit_error.h"

namespace toolkit::win32 {

Bitmap::Bitmap(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0)
        throw ToolkitError(ToolkitFault::BadPictureSize, ToolkitError::sizeName(width, height));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    handle_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!handle_ || !bits)
        throw ToolkitError(ToolkitFault::NoMemoryForPicture, ToolkitError::sizeName(width, height));
    pixels_ = static_cast<std::uint32_t*>(bits);
}

Bitmap::~Bitmap() {
    if (handle_) DeleteObject(handle_);
}

}  // namespace toolkit::win32
