// Where the main window's controls go for a given outer window size.
#include "app/layout.h"

#include <cmath>

namespace mozaru {

namespace {

constexpr float kRightMargin = 283.5f;  // 5 mm
constexpr float kTenMillimetres = 567.0f;
constexpr float kThreeMillimetres = 170.1f;

// Rounds to a whole number, ties to the even one (2.5 -> 2, 3.5 -> 4).
float roundHalfEven(float value) {
    const float down = std::floor(value);
    const float fraction = value - down;
    if (fraction > 0.5f) return down + 1.0f;
    if (fraction < 0.5f) return down;
    return std::fmod(down, 2.0f) == 0.0f ? down : down + 1.0f;
}

}  // namespace

OuterSize snapOuterSize(OuterSize outer) {
    if (outer.width <= kMinOuterWidth) outer.width = kMinOuterWidth;
    if (outer.height <= kMinOuterHeight) outer.height = kMinOuterHeight;
    return outer;
}

MainLayout layoutControls(OuterSize outer, float labelWidth, float labelHeight) {
    MainLayout layout;
    layout.editWidth = outer.width - kRightMargin;
    layout.editHeight = outer.height - kEditTop - kTenMillimetres;
    const float half = roundHalfEven(labelWidth / 2.0f);
    layout.labelLeft = outer.width / 2.0f - half;
    layout.labelTop = outer.height / 2.0f - labelHeight - kTenMillimetres;
    layout.barWidth = outer.width - kTenMillimetres;
    layout.barTop = layout.labelTop + labelHeight + kThreeMillimetres;
    return layout;
}

}  // namespace mozaru
