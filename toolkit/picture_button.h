// A button drawn as a stack of pictures, one per look, as the keyboard and accessibility
// clients see it: a name ("Instaluj"), an access key and its looks. It has no handlers of its
// own: the keyboard acts through the pictures' mouse handlers, so a key runs exactly what the
// pointer would, and the button is usable exactly when the pointer could act on it.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "toolkit/picture.h"

namespace toolkit {

class PictureButton {
public:
    // `accessKey` is an upper-case ASCII letter of the name (Alt plus the letter acts on it);
    // `looks` are at least one.
    PictureButton(const char* name, char accessKey, std::initializer_list<Picture*> looks);
    PictureButton(const PictureButton&) = delete;
    PictureButton& operator=(const PictureButton&) = delete;

    const std::string& name() const { return name_; }
    char accessKey() const { return accessKey_; }
    const std::vector<Picture*>& looks() const { return looks_; }
    bool owns(const Control& control) const;

    // The look that takes mouse input now (visible and enabled), or null.
    Picture* inputLook() const;
    // Some look is visible: the button is on the screen, usable or not.
    bool shown() const;
    // The look taking input reacts to a click, or to the pointer coming (which may bring the
    // look that takes the click, as Normal brings Hover). A look without handlers (the Active
    // one during an installation, a Disable one) makes the button unusable.
    bool usable() const;
    // Bounds of the button: those of its first look (all share one place).
    const Control& place() const { return *looks_.front(); }

private:
    std::string name_;
    char accessKey_;
    std::vector<Picture*> looks_;
};

}  // namespace toolkit
