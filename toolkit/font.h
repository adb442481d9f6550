// A font as the components describe it: face name, character height in device pixels
// (not points: the window is never scaled), weight and colour.
#pragma once

#include <string>

#include "toolkit/colors.h"

namespace toolkit {

struct Font {
    std::string name = "Tahoma";
    int heightPx = 11;
    bool bold = false;
    Color color = kSystemWindowText;

    bool operator==(const Font&) const = default;
};

}  // namespace toolkit
