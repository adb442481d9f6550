// Static text properties.
#include "toolkit/static_text.h"

namespace toolkit {

void StaticText::setCaption(std::string caption) { setProperty(caption_, std::move(caption)); }

void StaticText::setColor(Color color) { setProperty(color_, color); }

void StaticText::setFont(Font font) { setProperty(font_, std::move(font)); }

void StaticText::setAutoSize(bool autoSize) { setProperty(autoSize_, autoSize); }

}  // namespace toolkit
