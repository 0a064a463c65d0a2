// A progress bar whose minimum, maximum and value are floating-point numbers.
#pragma once

#include <QProgressBar>

namespace mozaru {

// Any range is accepted, an empty one (0 to 0) included; the value is shown
// clamped to the range and kept as it was set.
class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);

    float Min() const { return m_min; }
    float Max() const { return m_max; }
    float Value() const { return m_value; }
    void setMin(float min);
    void setMax(float max);
    void setValue(float value);

private:
    void updateDisplay();

    float m_min = 0.0f;
    float m_max = 100.0f;
    float m_value = 0.0f;
};

}  // namespace mozaru
