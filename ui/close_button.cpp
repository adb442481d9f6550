// The Close button's looks: plain visibility swaps, in the order the looks are defined.
#include "ui/close_button.h"

namespace ui {

void bnCloseSetEnable(const ButtonPictures& b) {
    swapLook({&b.Disable, &b.Normal, &b.Hover, &b.Active}, b.Normal);
}

void bnCloseSetDisable(const ButtonPictures& b) {
    swapLook({&b.Disable, &b.Normal, &b.Hover, &b.Active}, b.Disable);
}

void bnCloseEnter(const ButtonPictures& b) {
    b.Hover.setVisible(true);
    b.Normal.setVisible(false);
}

void bnCloseLeave(const ButtonPictures& b) { swapLook({&b.Hover}, b.Normal); }

}  // namespace ui
