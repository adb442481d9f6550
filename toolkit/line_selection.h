// A selection of whole lines in a list of `count` lines: an anchor where it began and a caret
// that the mouse or the keyboard moves; everything between them, both included, is selected.
// Every operation is O(1), so a log of millions of lines selects and extends at once.
#pragma once

#include <cstddef>

namespace toolkit {

class LineSelection {
public:
    bool empty() const { return !active_; }
    std::size_t anchor() const { return anchor_; }
    std::size_t caret() const { return caret_; }
    std::size_t first() const { return anchor_ < caret_ ? anchor_ : caret_; }
    std::size_t last() const { return anchor_ < caret_ ? caret_ : anchor_; }
    bool contains(std::size_t line) const { return active_ && line >= first() && line <= last(); }

    // A click: the one line, which becomes the anchor. Lines beyond the end take the last one.
    void select(std::size_t line, std::size_t count);
    // Shift+click, a drag or Shift+arrow: from the anchor (the caret line when nothing was
    // selected yet) to `line`.
    void extendTo(std::size_t line, std::size_t count);
    // Arrow, page and Home/End keys: the caret moves by `delta` lines, clamped to the list;
    // with `extend` the anchor stays, otherwise the moved-to line alone is selected.
    void moveCaret(long long delta, bool extend, std::size_t count);
    void selectAll(std::size_t count);
    void clear() { active_ = false; }

private:
    static std::size_t clamp(std::size_t line, std::size_t count) { return line < count ? line : count - 1; }

    bool active_ = false;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
};

}  // namespace toolkit
