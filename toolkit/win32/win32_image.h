// The ImageData the Win32 backend puts into toolkit Images: a premultiplied DIB section.
#pragma once

#include <memory>

#include "toolkit/image.h"
#include "toolkit/win32/bitmap.h"

namespace toolkit::win32 {

class Win32ImageData : public ImageData {
public:
    explicit Win32ImageData(std::unique_ptr<Bitmap> bitmap) : bitmap_(std::move(bitmap)) {}
    const Bitmap& bitmap() const { return *bitmap_; }

private:
    std::unique_ptr<Bitmap> bitmap_;
};

inline Image makeImage(std::unique_ptr<Bitmap> bitmap) {
    const int width = bitmap->width(), height = bitmap->height();
    return Image{width, height, std::make_shared<const Win32ImageData>(std::move(bitmap))};
}

// The bitmap behind an Image of this backend, or null (an empty Image, or one from another
// backend).
inline const Bitmap* bitmapOf(const Image& image) {
    auto* data = dynamic_cast<const Win32ImageData*>(image.data.get());
    return data ? &data->bitmap() : nullptr;
}

}  // namespace toolkit::win32
