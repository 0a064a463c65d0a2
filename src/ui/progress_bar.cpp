// A progress bar whose minimum, maximum and value are floating-point numbers.
#include "ui/progress_bar.h"

#include <algorithm>
#include <cmath>

namespace mozaru {

namespace {

// The drawn bar has fewer pixels than this; finer steps would only repaint.
constexpr int kSteps = 1000;

}  // namespace

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    setRange(0, kSteps);
    updateDisplay();
}

void ProgressBar::setMin(float min) {
    m_min = min;
    updateDisplay();
}

void ProgressBar::setMax(float max) {
    m_max = max;
    updateDisplay();
}

void ProgressBar::setValue(float value) {
    m_value = value;
    updateDisplay();
}

void ProgressBar::updateDisplay() {
    double fraction = 0.0;
    if (m_max > m_min) {
        fraction = (static_cast<double>(m_value) - m_min) / (static_cast<double>(m_max) - m_min);
    } else {
        fraction = m_value >= m_max ? 1.0 : 0.0;  // an empty range is done once reached
    }
    if (!std::isfinite(fraction)) fraction = 0.0;
    const int step = static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * kSteps));
    if (step == QProgressBar::value()) return;
    // QProgressBar would repaint at once; a long command's yield paints it
    // instead, so moving the bar costs the command nothing.
    setUpdatesEnabled(false);
    QProgressBar::setValue(step);
    setUpdatesEnabled(true);  // schedules the repaint
}

}  // namespace mozaru
