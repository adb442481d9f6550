// A decoded picture as the Win32 backend keeps it: a top-down 32-bit DIB section with
// premultiplied BGRA pixels, ready for AlphaBlend, owned by this object.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

namespace toolkit::win32 {

class Bitmap {
public:
    // A blank (fully transparent) bitmap; throws std::runtime_error when GDI refuses it.
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    HBITMAP handle() const { return handle_; }
    std::uint32_t* pixels() const { return pixels_; }
    std::uint32_t stride() const { return static_cast<std::uint32_t>(width_) * 4; }
    std::uint32_t byteSize() const { return stride() * static_cast<std::uint32_t>(height_); }

private:
    int width_, height_;
    HBITMAP handle_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};

}  // namespace toolkit::win32
