// The edit field's text with its change event, and its other properties.
#include "toolkit/edit.h"

namespace toolkit {

void Edit::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    changed();
    if (onChange) onChange();
}

void Edit::setCueText(std::string cue) {
    if (cue == cueText_) return;
    cueText_ = std::move(cue);
    changed();
}

void Edit::setFont(Font font) {
    if (font == font_) return;
    font_ = std::move(font);
    changed();
}

}  // namespace toolkit
