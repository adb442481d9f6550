// Label properties.
#include "toolkit/label.h"

namespace toolkit {

void Label::setCaption(std::string caption) { setProperty(caption_, std::move(caption)); }

void Label::setFont(Font font) { setProperty(font_, std::move(font)); }

void Label::setTransparent(bool transparent) { setProperty(transparent_, transparent); }

void Label::setAutoSize(bool autoSize) { setProperty(autoSize_, autoSize); }

}  // namespace toolkit
