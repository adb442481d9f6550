// Static text properties.
#include "toolkit/static_text.h"

namespace toolkit {

void StaticText::setCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    changed();
}

void StaticText::setColor(Color color) {
    if (color == color_) return;
    color_ = color;
    changed();
}

void StaticText::setFont(Font font) {
    if (font == font_) return;
    font_ = std::move(font);
    changed();
}

void StaticText::setAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    changed();
}

}  // namespace toolkit
