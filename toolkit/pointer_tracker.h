// Which picture is under the mouse pointer, shared by both backends: the topmost visible,
// enabled picture whose bounds hold the point, none when a visible child window (edit, memo,
// ...) lies there. Moving the pointer, and refresh() after a handler changed the pictures
// under a resting pointer, produce the leave of the old picture and the enter of the new one.
#pragma once

#include <optional>

#include "toolkit/dispatcher.h"
#include "toolkit/form.h"
#include "toolkit/picture.h"

namespace toolkit {

class PointerTracker {
public:
    PointerTracker(Form& form, Dispatcher& dispatcher);

    // The picture that takes input at the point (client coordinates), or null.
    Picture* pictureAt(int x, int y) const;

    void moveTo(int x, int y);
    void leaveWindow();
    // A click at the current position: goes to the picture under the pointer now.
    void click();
    // Re-checks the picture under a resting pointer (after a handler ran).
    void refresh();

    Picture* entered() const { return entered_; }
    std::optional<std::pair<int, int>> position() const { return position_; }

private:
    Form& form_;
    Dispatcher& dispatcher_;
    std::optional<std::pair<int, int>> position_;
    Picture* entered_ = nullptr;
    bool refreshing_ = false;
};

}  // namespace toolkit
