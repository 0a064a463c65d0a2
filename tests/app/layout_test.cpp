// The main window's layout numbers and its caption.
#include "app/layout.h"

#include <gtest/gtest.h>

#include "app/caption.h"

namespace mozaru {
namespace {

struct SnapCase {
    OuterSize in;
    OuterSize out;
};

class SnapTest : public ::testing::TestWithParam<SnapCase> {};

TEST_P(SnapTest, SnapsToTheMinimum) {
    const OuterSize out = snapOuterSize(GetParam().in);
    EXPECT_FLOAT_EQ(out.width, GetParam().out.width);
    EXPECT_FLOAT_EQ(out.height, GetParam().out.height);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SnapTest,
                         ::testing::Values(SnapCase{{6104, 5054}, {6105, 5055}},
                                           SnapCase{{6105, 5055}, {6105, 5055}},
                                           SnapCase{{6106, 5056}, {6106, 5056}},
                                           SnapCase{{0, 9000}, {6105, 9000}},
                                           SnapCase{{10290, 0}, {10290, 5055}}));

struct LayoutCase {
    OuterSize outer;
    MainLayout expected;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, PlacesTheControls) {
    const MainLayout got = layoutControls(GetParam().outer);
    const MainLayout& want = GetParam().expected;
    EXPECT_FLOAT_EQ(got.editWidth, want.editWidth);
    EXPECT_FLOAT_EQ(got.editHeight, want.editHeight);
    EXPECT_FLOAT_EQ(got.labelLeft, want.labelLeft);
    EXPECT_FLOAT_EQ(got.labelTop, want.labelTop);
    EXPECT_FLOAT_EQ(got.barWidth, want.barWidth);
    EXPECT_FLOAT_EQ(got.barTop, want.barTop);
}

// Edit: W - 283.5 by H - 600 - 567. Label: W/2 - 1868 (3735/2 = 1867.5, ties
// to even), H/2 - 375 - 567. Bar: W - 567 wide, 170.1 below the label.
INSTANTIATE_TEST_SUITE_P(
    Sizes, LayoutTest,
    ::testing::Values(LayoutCase{{6105, 5055}, {5821.5f, 3888, 1184.5f, 1585.5f, 5538, 2130.6f}},
                      LayoutCase{{10290, 8340}, {10006.5f, 7173, 3277, 3228, 9723, 3773.1f}},
                      LayoutCase{{20000, 12001},
                                 {19716.5f, 10834, 8132, 5058.5f, 19433, 5603.6f}}));

TEST(LayoutTest, LabelHalfWidthRoundsTiesToEven) {
    // 3733 / 2 = 1866.5 -> 1866; 3737 / 2 = 1868.5 -> 1868; 3739 / 2 = 1869.5 -> 1870.
    EXPECT_FLOAT_EQ(layoutControls({10000, 8000}, 3733).labelLeft, 5000 - 1866);
    EXPECT_FLOAT_EQ(layoutControls({10000, 8000}, 3737).labelLeft, 5000 - 1868);
    EXPECT_FLOAT_EQ(layoutControls({10000, 8000}, 3739).labelLeft, 5000 - 1870);
    EXPECT_FLOAT_EQ(layoutControls({10000, 8000}, 3736).labelLeft, 5000 - 1868);
}

struct CaptionCase {
    int major, minor, revision;
    const char* caption;
};

class CaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionTest, JoinsMinorAndRevision) {
    const CaptionCase& c = GetParam();
    EXPECT_EQ(buildCaption(c.major, c.minor, c.revision), c.caption);
}

INSTANTIATE_TEST_SUITE_P(Versions, CaptionTest,
                         ::testing::Values(CaptionCase{1, 0, 5, "Mozaru (Version 1.05)"},
                                           CaptionCase{2, 1, 13, "Mozaru (Version 2.113)"},
                                           CaptionCase{0, 0, 0, "Mozaru (Version 0.00)"},
                                           CaptionCase{10, 20, 300, "Mozaru (Version 10.20300)"}));
}  // namespace
}  // namespace mozaru
