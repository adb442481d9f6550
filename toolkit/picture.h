// A picture control: shows an Image (stretched to the control or at its own size, optionally
// with transparency) and takes mouse clicks and enter/leave when visible and enabled.
#pragma once

#include "toolkit/control.h"
#include "toolkit/event.h"
#include "toolkit/image.h"

namespace toolkit {

class Picture : public ControlOf<ControlKind::Picture> {
public:
    using ControlOf::ControlOf;

    const Image& image() const { return image_; }
    void setImage(Image image);
    bool stretch() const { return stretch_; }
    void setStretch(bool stretch);
    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent);

    // Called through the Dispatcher only.
    Event onClick;
    Event onMouseEnter;
    Event onMouseLeave;

private:
    Image image_;
    bool stretch_ = false;
    bool transparent_ = false;
};

}  // namespace toolkit
