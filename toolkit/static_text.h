// A static text child window: a caption on an opaque background colour.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/colors.h"
#include "toolkit/control.h"
#include "toolkit/font.h"

namespace toolkit {

class StaticText : public ControlOf<ControlKind::StaticText> {
public:
    using ControlOf::ControlOf;
    bool isChildWindow() const override { return true; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string_view caption);
    Color color() const { return color_; }
    void setColor(Color color);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);
    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int order) { tabOrder_ = order; }

private:
    std::string caption_;
    Color color_ = kSystemWindow;
    Font font_;
    bool autoSize_ = false;
    int tabOrder_ = 0;
};

}  // namespace toolkit
