// A multi-line, read-only text box. Lines are kept in one character buffer with an offset
// per line, so millions of appended lines cost little memory and no reallocation per line;
// backends render it virtually (only the lines in view).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/font.h"

namespace toolkit {

class MemoLines {
public:
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    // The line at `index` (< size()), valid until the next append or clear.
    std::string_view operator[](std::size_t index) const;
    // Appends one line; a text holding line breaks stays one line (the backend shows it as is).
    void append(std::string_view line);
    void clear();
    // All lines joined with '\n' (for tests and the headless runner's output).
    std::string joined() const;
    // Lines first..last (both included, clamped to the store) joined with `separator`,
    // exactly as stored: what a copy of those lines gives.
    std::string joined(std::size_t first, std::size_t last, std::string_view separator) const;
    // Length in bytes of the longest line, kept up to date by append.
    std::size_t longestLine() const { return longest_; }

private:
    std::string text_;
    std::vector<std::uint64_t> ends_;  // end offset of each line in text_
    std::size_t longest_ = 0;
};

class Memo : public ControlOf<ControlKind::Memo> {
public:
    using ControlOf::ControlOf;
    bool isChildWindow() const override { return true; }

    const MemoLines& lines() const { return lines_; }
    void append(std::string_view line);
    void clear();

    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool verticalScrollBar() const { return verticalScrollBar_; }
    void setVerticalScrollBar(bool on) { verticalScrollBar_ = on; }
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool on) { tabStop_ = on; }
    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int order) { tabOrder_ = order; }
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    // Captions of the context menu's two commands (copy the selected lines, select all).
    const std::string& copyCaption() const { return copyCaption_; }
    const std::string& selectAllCaption() const { return selectAllCaption_; }
    void setMenuCaptions(std::string_view copy, std::string_view selectAll);

private:
    MemoLines lines_;
    std::string copyCaption_ = "Copy";
    std::string selectAllCaption_ = "Select all";
    bool readOnly_ = false;
    bool verticalScrollBar_ = false;
    bool tabStop_ = true;
    int tabOrder_ = 0;
    Font font_;
};

}  // namespace toolkit
