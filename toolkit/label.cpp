// Label properties.
#include "toolkit/label.h"

namespace toolkit {

void Label::setCaption(std::string_view caption) { setProperty(caption_, caption); }

void Label::setFont(const Font& font) { setProperty(font_, font); }

void Label::setTransparent(bool transparent) { setProperty(transparent_, transparent); }

void Label::setAutoSize(bool autoSize) { setProperty(autoSize_, autoSize); }

}  // namespace toolkit
