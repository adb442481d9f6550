// A picture as the components hold it: its size and the pixels in a form only the backend
// that made it understands (decoded RGBA, a WIC bitmap...). An empty Image has width 0.
#pragma once

#include <memory>

namespace toolkit {

// Filled by a backend; the portable model never looks inside.
class ImageData {
public:
    virtual ~ImageData() = default;
    // The backend whose pixels these are, told by the address of a tag of its own: a backend
    // reads back only its own pixels, and the Windows programs have no run-time types to ask.
    virtual const void* maker() const = 0;
};

struct Image {
    int width = 0;
    int height = 0;
    // Made with `new`, never make_shared, in the Windows programs: without run-time types,
    // make_shared's deleter lookup links libstdc++'s shared_ptr.o (2.7 KB) into the installer.
    std::shared_ptr<const ImageData> data;

    bool empty() const { return width == 0; }
    // Whether the w x h rectangle at x, y is a non-empty part of this picture.
    bool contains(int x, int y, int w, int h) const {
        return x >= 0 && y >= 0 && w > 0 && h > 0 && x <= width - w && y <= height - h;
    }
};

}  // namespace toolkit
