// Label properties.
#include "toolkit/label.h"

namespace toolkit {

void Label::setCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    changed();
}

void Label::setFont(Font font) {
    if (font == font_) return;
    font_ = std::move(font);
    changed();
}

void Label::setTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    changed();
}

void Label::setAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    changed();
}

}  // namespace toolkit
