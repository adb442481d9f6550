// The Close button's looks: plain visibility swaps, in the order the looks are defined.
#include "ui/close_button.h"

namespace ui {

namespace {

void hideAll(const ButtonPictures& b) {
    b.Disable.setVisible(false);
    b.Normal.setVisible(false);
    b.Hover.setVisible(false);
    b.Active.setVisible(false);
}

}  // namespace

void bnCloseSetEnable(const ButtonPictures& b) {
    hideAll(b);
    b.Normal.setVisible(true);
}

void bnCloseSetDisable(const ButtonPictures& b) {
    hideAll(b);
    b.Disable.setVisible(true);
}

void bnCloseEnter(const ButtonPictures& b) {
    b.Hover.setVisible(true);
    b.Normal.setVisible(false);
}

void bnCloseLeave(const ButtonPictures& b) {
    b.Hover.setVisible(false);
    b.Normal.setVisible(true);
}

}  // namespace ui
