// A picture as the components hold it: its size and the pixels in a form only the backend
// that made it understands (decoded RGBA, a WIC bitmap...). An empty Image has width 0.
#pragma once

#include <memory>

namespace toolkit {

// Filled by a backend; the portable model never looks inside.
class ImageData {
public:
    virtual ~ImageData() = default;
};

struct Image {
    int width = 0;
    int height = 0;
    std::shared_ptr<const ImageData> data;

    bool empty() const { return width == 0; }
};

}  // namespace toolkit
