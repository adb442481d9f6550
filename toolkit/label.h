// A one-line text label drawn on the window's surface; with auto-size on, a backend that can
// measure text sizes it to its caption (the headless backend keeps the design size).
#pragma once

#include <string>
#include <string_view>

#include "toolkit/control.h"
#include "toolkit/font.h"

namespace toolkit {

class Label : public ControlOf<ControlKind::Label> {
public:
    using ControlOf::ControlOf;

    const std::string& caption() const { return caption_; }
    void setCaption(std::string_view caption);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);

private:
    std::string caption_;
    Font font_;
    bool transparent_ = false;
    bool autoSize_ = false;
};

}  // namespace toolkit
