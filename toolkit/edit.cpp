// The edit field's text with its change event, and its other properties.
#include "toolkit/edit.h"

namespace toolkit {

void Edit::setText(std::string_view text) {
    if (text == text_) return;
    text_ = text;
    changed();
    if (onChange) onChange();
}

void Edit::setCueText(std::string_view cue) { setProperty(cueText_, cue); }

void Edit::setFont(const Font& font) { setProperty(font_, font); }

}  // namespace toolkit
