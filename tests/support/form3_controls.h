// The precision dialog's controls, found by their object names.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "extract/form3.h"

namespace mozaru::test {

struct Form3Controls {
    QLabel* Label1;
    QSlider* Slider1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QGroupBox* Frame1;
    QLabel* Label5;
    QCheckBox* Check1;
    QPushButton* Command1;
    QPushButton* Command2;
    QCheckBox* Check2;
};

template <class T>
T* named(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QLatin1String(name));
}

inline Form3Controls controlsOf(const Form3& d) {
    return {named<QLabel>(d, "Label1"),        named<QSlider>(d, "Slider1"),
            named<QLabel>(d, "Label2"),        named<QLabel>(d, "Label3"),
            named<QLabel>(d, "Label4"),        named<QGroupBox>(d, "Frame1"),
            named<QLabel>(d, "Label5"),        named<QCheckBox>(d, "Check1"),
            named<QPushButton>(d, "Command1"), named<QPushButton>(d, "Command2"),
            named<QCheckBox>(d, "Check2")};
}

}  // namespace mozaru::test
