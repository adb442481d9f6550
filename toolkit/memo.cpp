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
    if (line.size() > longest_) longest_ = line.size();
}

void MemoLines::clear() {
    text_.clear();
    ends_.clear();
    longest_ = 0;
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

std::string MemoLines::joined(std::size_t first, std::size_t last, std::string_view separator) const {
    std::string out;
    if (empty() || first >= size()) return out;
    if (last >= size()) last = size() - 1;
    if (last < first) return out;
    const std::uint64_t begin = first == 0 ? 0 : ends_[first - 1];
    out.reserve(ends_[last] - begin + (last - first) * separator.size());
    for (std::size_t i = first; i <= last; ++i) {
        if (i != first) out += separator;
        out += (*this)[i];
    }
    return out;
}

void Memo::setMenuCaptions(std::string_view copy, std::string_view selectAll) {
    copyCaption_ = copy;
    selectAllCaption_ = selectAll;
    changed();
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

void Memo::setFont(const Font& font) { setProperty(font_, font); }

}  // namespace toolkit
