// Picture properties.
#include "toolkit/picture.h"

namespace toolkit {

void Picture::setImage(Image image) {
    image_ = std::move(image);
    changed();
}

void Picture::setStretch(bool stretch) { setProperty(stretch_, stretch); }

void Picture::setTransparent(bool transparent) { setProperty(transparent_, transparent); }

}  // namespace toolkit
