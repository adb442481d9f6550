// A busy indicator: a ring of moving dots that steps through its frames while animating.
// The backend advances the frame on its own clock (frameIntervalMs); the model keeps the state.
#pragma once

#include "toolkit/colors.h"
#include "toolkit/control.h"

namespace toolkit {

class ActivityIndicator : public ControlOf<ControlKind::ActivityIndicator> {
public:
    using ControlOf::ControlOf;
    bool isChildWindow() const override { return true; }

    static constexpr int kFrameCount = 75;
    static constexpr int kFrameIntervalMs = 50;

    bool animating() const { return animating_; }
    void setAnimating(bool animating);
    Color dotColor() const { return dotColor_; }
    void setDotColor(Color color);
    int frame() const { return frame_; }
    // The next frame, wrapping after the last; does nothing while not animating.
    void advanceFrame();

private:
    bool animating_ = false;
    Color dotColor_ = kBlack;
    int frame_ = 0;
};

}  // namespace toolkit
