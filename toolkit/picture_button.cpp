// What a picture button is from its looks.
#include "toolkit/picture_button.h"

namespace toolkit {

PictureButton::PictureButton(const char* name, char accessKey, std::initializer_list<Picture*> looks)
    : name_(name), accessKey_(accessKey), looks_(looks) {}

bool PictureButton::owns(const Control& control) const {
    for (const Picture* look : looks_)
        if (look == &control) return true;
    return false;
}

Picture* PictureButton::inputLook() const {
    for (Picture* look : looks_)
        if (look->visible() && look->enabled()) return look;
    return nullptr;
}

bool PictureButton::shown() const {
    for (const Picture* look : looks_)
        if (look->visible()) return true;
    return false;
}

bool PictureButton::usable() const {
    const Picture* look = inputLook();
    return look && (look->onClick || look->onMouseEnter);
}

}  // namespace toolkit
