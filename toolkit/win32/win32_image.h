// The ImageData the Win32 backend puts into toolkit Images: a premultiplied DIB section.
#pragma once

#include <memory>

#include "toolkit/image.h"
#include "toolkit/win32/bitmap.h"

namespace toolkit::win32 {

inline constexpr char kWin32ImageMaker = 0;

class Win32ImageData : public ImageData {
public:
    explicit Win32ImageData(std::unique_ptr<Bitmap> bitmap) : bitmap_(std::move(bitmap)) {}
    const void* maker() const override { return &kWin32ImageMaker; }
    const Bitmap& bitmap() const { return *bitmap_; }

private:
    std::unique_ptr<Bitmap> bitmap_;
};

inline Image makeImage(std::unique_ptr<Bitmap> bitmap) {
    const int width = bitmap->width(), height = bitmap->height();
    return Image{width, height, std::shared_ptr<const ImageData>(new Win32ImageData(std::move(bitmap)))};
}

// The bitmap behind an Image of this backend, or null (an empty Image, or one from another
// backend).
inline const Bitmap* bitmapOf(const Image& image) {
    const ImageData* data = image.data.get();
    if (!data || data->maker() != &kWin32ImageMaker) return nullptr;
    return &static_cast<const Win32ImageData*>(data)->bitmap();
}

}  // namespace toolkit::win32
