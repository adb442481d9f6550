// Whole-line selection; see line_selection.h.
#include "toolkit/line_selection.h"

namespace toolkit {

void LineSelection::select(std::size_t line, std::size_t count) {
    if (count == 0) return clear();
    anchor_ = caret_ = clamp(line, count);
    active_ = true;
}

void LineSelection::extendTo(std::size_t line, std::size_t count) {
    if (count == 0) return clear();
    if (!active_) anchor_ = clamp(caret_, count);
    caret_ = clamp(line, count);
    active_ = true;
}

void LineSelection::moveCaret(long long delta, bool extend, std::size_t count) {
    if (count == 0) return clear();
    const auto from = static_cast<long long>(clamp(caret_, count));
    long long to = from + delta;
    if (delta < 0 && to > from) to = 0;  // overflow of a huge jump upwards
    if (to < 0) to = 0;
    const auto line = static_cast<std::size_t>(to) >= count ? count - 1 : static_cast<std::size_t>(to);
    if (extend)
        extendTo(line, count);
    else
        select(line, count);
}

void LineSelection::selectAll(std::size_t count) {
    if (count == 0) return clear();
    anchor_ = 0;
    caret_ = count - 1;
    active_ = true;
}

}  // namespace toolkit
