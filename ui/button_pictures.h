// A picture button: four pictures of one size at one place, one per look; the visible one is
// the button's look.
#pragma once

#include "toolkit/picture.h"

namespace ui {

struct ButtonPictures {
    toolkit::Picture& Normal;
    toolkit::Picture& Hover;
    toolkit::Picture& Active;
    toolkit::Picture& Disable;
};

}  // namespace ui
