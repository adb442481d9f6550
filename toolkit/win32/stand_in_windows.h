// Native windows standing in for what the form draws on its own surface, so that the system's
// keyboard focus and accessibility clients find them: an owner-drawn BUTTON per picture
// button (its name as text with the access key marked, enabled while usable, shown while a
// look is), and an owner-drawn STATIC per label carrying its caption. Each shows the form's
// surface under it (the form paints it on WM_DRAWITEM) and passes every mouse message to the
// form (HTTRANSPARENT; a disabled child is passed over anyway), so the pointer and the
// pictures behave as if the stand-ins were not there.
#pragma once

#include <windows.h>

#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/picture_button.h"

namespace toolkit::win32 {

class StandInWindows {
public:
    StandInWindows(HWND form, const Form& model);
    StandInWindows(const StandInWindows&) = delete;
    StandInWindows& operator=(const StandInWindows&) = delete;

    // Brings the stand-ins showing `control` (a button's look, a label) up to date.
    void sync(const Control& control);
    HWND windowOf(const PictureButton& button) const;
    bool owns(HWND window) const;
    // The part of the form's client area `window` shows; false when it is no stand-in.
    bool shownArea(HWND window, RECT& area) const;
    // Marks the stand-ins over `area` for painting; `now`: paints them at once.
    void invalidate(const RECT& area, bool now) const;

private:
    struct Entry {
        const PictureButton* button = nullptr;
        const Label* label = nullptr;
        HWND window = nullptr;
    };
    void sync(const Entry& entry) const;
    void add(const PictureButton* button, const Label* label, HWND window);
    const Entry* begin() const { return entries_; }
    const Entry* end() const { return entries_ + count_; }

    // A fixed few (the window has two buttons and one label): no growing list in the stub.
    static constexpr int kMaxEntries = 6;
    Entry entries_[kMaxEntries];
    int count_ = 0;
};

}  // namespace toolkit::win32
