// The edit field's text with its change event, and its other properties.
#include "toolkit/edit.h"

namespace toolkit {

void Edit::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    changed();
    if (onChange) onChange();
}

void Edit::setCueText(std::string cue) { setProperty(cueText_, std::move(cue)); }

void Edit::setFont(Font font) { setProperty(font_, std::move(font)); }

}  // namespace toolkit
