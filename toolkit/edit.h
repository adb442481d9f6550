// A one-line edit field with grey cue text shown while it is empty. setText runs onChange
// inside the assignment, and only when the text really changes; user typing arrives through
// the Dispatcher as the same assignment.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/control.h"
#include "toolkit/event.h"
#include "toolkit/font.h"

namespace toolkit {

class Edit : public ControlOf<ControlKind::Edit> {
public:
    using ControlOf::ControlOf;
    bool isChildWindow() const override { return true; }

    const std::string& text() const { return text_; }
    // Runs onChange before returning when `text` differs from the current text; an exception
    // from the handler leaves the new text in place and propagates to the caller.
    void setText(std::string_view text);
    const std::string& cueText() const { return cueText_; }
    void setCueText(std::string_view cue);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int order) { tabOrder_ = order; }
    // The text naming the field (its caption): screen readers announce the field by it.
    const Control* labelledBy() const { return labelledBy_; }
    void setLabelledBy(const Control* caption) { labelledBy_ = caption; }

    Event onChange;
    Event onClick;  // through the Dispatcher only

private:
    std::string text_;
    std::string cueText_;
    Font font_;
    int tabOrder_ = 0;
    const Control* labelledBy_ = nullptr;
};

}  // namespace toolkit
