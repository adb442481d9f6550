// A horizontal bar gauge with the percentage done as centred text. Its position is kept inside
// its range, and whenever the shown percentage changes the gauge asks its backend to repaint
// it at once, without waiting for the message loop (long work on the UI thread relies on it).
#pragma once

#include <functional>

#include "toolkit/colors.h"
#include "toolkit/control.h"
#include "toolkit/font.h"

namespace toolkit {

class Gauge : public ControlOf<ControlKind::Gauge> {
public:
    using ControlOf::ControlOf;

    int minValue() const { return min_; }
    int maxValue() const { return max_; }
    int progress() const { return progress_; }
    void setMinValue(int value);
    void setMaxValue(int value);
    // Clamped to [minValue, maxValue].
    void setProgress(int value);
    // The percentage the gauge shows, 0 to 100.
    int percentDone() const;

    Color foreColor() const { return foreColor_; }
    void setForeColor(Color color);
    Color backColor() const { return backColor_; }
    void setBackColor(Color color);
    // The colour of the frame a bordered gauge draws (the window's gauge has no border).
    Color controlColor() const { return controlColor_; }
    void setControlColor(Color color);
    bool border() const { return border_; }
    void setBorder(bool border);
    const Font& font() const { return font_; }
    void setFont(const Font& font);

    // Installed by the backend: paints the gauge now, synchronously.
    void setImmediateRepaint(std::function<void(Gauge&)> repaint) { repaint_ = std::move(repaint); }

private:
    void updateShownPercent();

    int min_ = 0, max_ = 100, progress_ = 0;
    int shownPercent_ = 0;
    Color foreColor_ = 0x008CFF;
    Color backColor_ = kSystemWindow;
    Color controlColor_ = kOlive;
    bool border_ = true;
    Font font_;
    std::function<void(Gauge&)> repaint_;
};

}  // namespace toolkit
