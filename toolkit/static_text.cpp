// Static text properties.
#include "toolkit/static_text.h"

namespace toolkit {

void StaticText::setCaption(std::string_view caption) { setProperty(caption_, caption); }

void StaticText::setColor(Color color) { setProperty(color_, color); }

void StaticText::setFont(const Font& font) { setProperty(font_, font); }

void StaticText::setAutoSize(bool autoSize) { setProperty(autoSize_, autoSize); }

}  // namespace toolkit
