// Base of every visual component: name, geometry, anchors, visibility, enabled flag and cursor.
// A component is a plain object; the backend that renders it is told of changes through the
// ControlObserver its form installs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "toolkit/property_change.h"

namespace toolkit {

// Colours in the toolkit's 0x00BBGGRR form; values with the top byte 0xFF name a system
// colour (see colors.h).
using Color = std::uint32_t;

enum class Cursor { Default, Arrow, Hand, NotAllowed };

// What a component is. The Windows programs are built without run-time type information (it
// cost the installer 10 KB), so code that treats one kind apart asks this through controlAs.
enum class ControlKind { Form, Picture, Label, Edit, StaticText, Memo, Gauge, ActivityIndicator };

struct Anchors {
    bool left = true;
    bool top = true;
    bool right = false;
    bool bottom = false;
};

class Control;

// Told of every property change so that a backend can repaint; the headless backend ignores it.
class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    virtual void controlChanged(Control& control) = 0;
    // The form's keyboard focus moved to another stop (the window backend moves the system's).
    virtual void focusMoved() {}
};

class Control {
public:
    // Out of line: a design's components are named by literals, and the name's string is then
    // built here once rather than at every component's construction.
    explicit Control(const char* name);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    virtual ControlKind kind() const = 0;
    // Child-window components (edit, memo, static text, busy indicator) lie above every
    // component drawn on the window's own surface, whatever their place in the paint order.
    virtual bool isChildWindow() const { return false; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setBounds(int left, int top, int width, int height);

    const Anchors& anchors() const { return anchors_; }
    void setAnchors(Anchors anchors) { anchors_ = anchors; }

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    Cursor cursor() const { return cursor_; }
    void setCursor(Cursor cursor);

    // True when the point (in the form's client coordinates) lies inside the bounds.
    bool contains(int x, int y) const;

    void setObserver(ControlObserver* observer) { observer_ = observer; }

protected:
    void changed();
    // A property's setter: stores the value and repaints, unless the value is already there.
    template <typename T, typename Value>
    void setProperty(T& property, Value&& value) {
        if (replaceIfDifferent(property, std::forward<Value>(value))) changed();
    }
    ControlObserver* observer() const { return observer_; }
    // Told after the width or height changed (the form re-applies its anchors).
    virtual void sizeChanged(int oldWidth, int oldHeight) {
        (void)oldWidth;
        (void)oldHeight;
    }

private:
    std::string name_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Anchors anchors_;
    bool visible_ = true;
    bool enabled_ = true;
    Cursor cursor_ = Cursor::Default;
    ControlObserver* observer_ = nullptr;
};

// A component class of one kind: `class Gauge : public ControlOf<ControlKind::Gauge>`.
template <ControlKind K>
class ControlOf : public Control {
public:
    static constexpr ControlKind kKind = K;
    using Control::Control;
    ControlKind kind() const final { return K; }
};

// The component as a T (which may be const), or null when it is of another kind.
template <typename T, typename C>
T* controlAs(C* control) {
    return control && control->kind() == T::kKind ? static_cast<T*>(control) : nullptr;
}

}  // namespace toolkit
