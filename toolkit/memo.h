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

private:
    std::string text_;
    std::vector<std::uint64_t> ends_;  // end offset of each line in text_
};

class Memo : public Control {
public:
    using Control::Control;
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
    void setFont(Font font);

private:
    MemoLines lines_;
    bool readOnly_ = false;
    bool verticalScrollBar_ = false;
    bool tabStop_ = true;
    int tabOrder_ = 0;
    Font font_;
};

}  // namespace toolkit
