// Where the main window's controls go for a given outer window size, in twips.
#pragma once

namespace mozaru {

// Smallest outer size the window keeps; a smaller one snaps back to it.
inline constexpr float kMinOuterWidth = 6105.0f;
inline constexpr float kMinOuterHeight = 5055.0f;
// The window's inside is never narrower than the button row, from LOAD's
// left edge to ヘルプ参照's right one (7695), and LOAD's margin (240) again on
// the right: every visible button whole.
inline constexpr float kMinClientWidth = 7695.0f + 240.0f;

// Design values that the layout keeps.
inline constexpr float kEditLeft = 120.0f;
inline constexpr float kEditTop = 600.0f;
inline constexpr float kBarLeft = 240.0f;
inline constexpr float kBusyLabelWidth = 3735.0f;
inline constexpr float kBusyLabelHeight = 375.0f;

struct OuterSize {
    float width = 0.0f;
    float height = 0.0f;
};

// The size the window must be set to: a width of 6105 or less becomes 6105
// (even exactly 6105, which changes nothing), and the same for the height.
OuterSize snapOuterSize(OuterSize outer);

struct MainLayout {
    float editWidth = 0.0f;
    float editHeight = 0.0f;
    float labelLeft = 0.0f;
    float labelTop = 0.0f;
    float barWidth = 0.0f;
    float barTop = 0.0f;
};

// The controls for an outer size W x H (frame and title bar included), in
// single precision: the edit area keeps 5 mm on the right and 10 mm at the
// bottom, the busy label stays centred and the bar sits 3 mm below it.
MainLayout layoutControls(OuterSize outer, float labelWidth = kBusyLabelWidth,
                          float labelHeight = kBusyLabelHeight);

}  // namespace mozaru
