// Picture properties.
#include "toolkit/picture.h"

namespace toolkit {

void Picture::setImage(Image image) {
    image_ = std::move(image);
    changed();
}

void Picture::setStretch(bool stretch) {
    if (stretch == stretch_) return;
    stretch_ = stretch;
    changed();
}

void Picture::setTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    changed();
}

}  // namespace toolkit
