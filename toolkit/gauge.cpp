// The gauge keeps its position in range and repaints at once when its percentage changes.
#include "toolkit/gauge.h"

#include <algorithm>

namespace toolkit {

void Gauge::setMinValue(int value) {
    min_ = value;
    if (max_ < min_) max_ = min_;
    progress_ = std::clamp(progress_, min_, max_);
    updateShownPercent();
}

void Gauge::setMaxValue(int value) {
    max_ = value;
    if (min_ > max_) min_ = max_;
    progress_ = std::clamp(progress_, min_, max_);
    updateShownPercent();
}

void Gauge::setProgress(int value) {
    progress_ = std::clamp(value, min_, max_);
    updateShownPercent();
}

int Gauge::percentDone() const {
    if (max_ == min_) return 0;
    return static_cast<int>((static_cast<long long>(progress_ - min_) * 100) / (max_ - min_));
}

void Gauge::setForeColor(Color color) {
    foreColor_ = color;
    changed();
}

void Gauge::setBackColor(Color color) {
    backColor_ = color;
    changed();
}

void Gauge::updateShownPercent() {
    const int percent = percentDone();
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    changed();
    if (repaint_) repaint_(*this);
}

}  // namespace toolkit
