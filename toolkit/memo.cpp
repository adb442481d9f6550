// The memo's compact line store and its properties.
#include "toolkit/memo.h"

namespace toolkit {

std::string_view MemoLines::operator[](std::size_t index) const {
    const std::uint64_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

void MemoLines::append(std::string_view line) {
    text_.append(line);
    ends_.push_back(text_.size());
}

void MemoLines::clear() {
    text_.clear();
    ends_.clear();
    text_.shrink_to_fit();
    ends_.shrink_to_fit();
}

std::string MemoLines::joined() const {
    std::string out;
    out.reserve(text_.size() + ends_.size());
    for (std::size_t i = 0; i < size(); ++i) {
        if (i) out += '\n';
        out += (*this)[i];
    }
    return out;
}

void Memo::append(std::string_view line) {
    lines_.append(line);
    changed();
}

void Memo::clear() {
    if (lines_.empty()) return;
    lines_.clear();
    changed();
}

void Memo::setFont(Font font) {
    if (font == font_) return;
    font_ = std::move(font);
    changed();
}

}  // namespace toolkit
