// The gauge's range, clamped position and shown percentage with its immediate repaint.
#include "toolkit/gauge.h"

#include <algorithm>
#include <cstdint>

namespace toolkit {

void Gauge::setMinValue(int value) {
    min_ = value;
    if (max_ < min_) max_ = min_;
    progress_ = std::clamp(progress_, min_, max_);
    changed();
    updateShownPercent();
}

void Gauge::setMaxValue(int value) {
    max_ = value;
    if (min_ > max_) min_ = max_;
    progress_ = std::clamp(progress_, min_, max_);
    changed();
    updateShownPercent();
}

void Gauge::setProgress(int value) {
    const int clamped = std::clamp(value, min_, max_);
    if (clamped == progress_) return;
    progress_ = clamped;
    changed();
    updateShownPercent();
}

int Gauge::percentDone() const {
    if (max_ == min_) return 0;
    // 64-bit: a range near the int limits must not overflow the product. Unsigned (progress
    // stays within min..max): the one 64-bit division the 32-bit build links anyway.
    const auto done = static_cast<std::uint64_t>(static_cast<long long>(progress_) - min_);
    const auto range = static_cast<std::uint64_t>(static_cast<long long>(max_) - min_);
    return static_cast<int>(done * 100 / range);
}

void Gauge::setForeColor(Color color) { setProperty(foreColor_, color); }

void Gauge::setBackColor(Color color) { setProperty(backColor_, color); }

void Gauge::setControlColor(Color color) { setProperty(controlColor_, color); }

void Gauge::setBorder(bool border) { setProperty(border_, border); }

void Gauge::setFont(const Font& font) { setProperty(font_, font); }

void Gauge::updateShownPercent() {
    const int percent = percentDone();
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    if (repaint_) repaint_(*this);
}

}  // namespace toolkit
