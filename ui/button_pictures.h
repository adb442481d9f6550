// A picture button: four pictures of one size at one place, one per look; the visible one is
// the button's look.
#pragma once

#include <initializer_list>

#include "toolkit/picture.h"

namespace ui {

struct ButtonPictures {
    toolkit::Picture& Normal;
    toolkit::Picture& Hover;
    toolkit::Picture& Active;
    toolkit::Picture& Disable;
};

// A change of look: `hidden` hidden in the order given, then `shown` made visible (the order
// in which the window repaints them).
inline void swapLook(std::initializer_list<toolkit::Picture*> hidden, toolkit::Picture& shown) {
    for (toolkit::Picture* picture : hidden) picture->setVisible(false);
    shown.setVisible(true);
}

}  // namespace ui
