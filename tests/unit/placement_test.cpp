// The edge rule and the placement rule near the taskbar, on plain integers.
#include "common/placement.h"

#include <gtest/gtest.h>

namespace staywick {
namespace {

struct PlacementCase {
    const char* name;
    std::optional<ScreenRect> taskbar;
    ScreenRect workArea;
    TTaskbarEdge edge;
    ScreenPoint at; // for a 400 x 300 window
};

class PlacementTable : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTable, EdgeAndCornerOnA1920x1080Screen) {
    const auto& c = GetParam();
    const TTaskbarEdge edge = TaskbarEdgeFor(c.taskbar, 1920, 1080);
    EXPECT_EQ(edge, c.edge);
    EXPECT_EQ(PlacementFor(edge, c.workArea, 400, 300), c.at);
}

INSTANTIATE_TEST_SUITE_P(Landscape, PlacementTable,
                         ::testing::Values(PlacementCase{.name = "Bottom",
                                                         .taskbar = ScreenRect{0, 1040, 1920, 1080},
                                                         .workArea = {0, 0, 1920, 1040},
                                                         .edge = teBottom,
                                                         .at = {1500, 720}},
                                           PlacementCase{.name = "Top",
                                                         .taskbar = ScreenRect{0, 0, 1920, 40},
                                                         .workArea = {0, 40, 1920, 1080},
                                                         .edge = teTop,
                                                         .at = {1500, 50}},
                                           PlacementCase{.name = "Left",
                                                         .taskbar = ScreenRect{0, 0, 62, 1080},
                                                         .workArea = {62, 0, 1920, 1080},
                                                         .edge = teLeft,
                                                         .at = {82, 760}},
                                           PlacementCase{.name = "Right",
                                                         .taskbar = ScreenRect{1858, 0, 1920, 1080},
                                                         .workArea = {0, 0, 1858, 1080},
                                                         .edge = teRight,
                                                         .at = {1438, 760}},
                                           PlacementCase{.name = "None",
                                                         .taskbar = std::nullopt,
                                                         .workArea = {0, 0, 1920, 1080},
                                                         .edge = teBottom,
                                                         .at = {1500, 760}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct EdgeCase {
    const char* name;
    ScreenRect taskbar;
    std::int32_t width, height;
    TTaskbarEdge edge;
};

class EdgeRule : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeRule, Classifies) {
    const auto& c = GetParam();
    EXPECT_EQ(TaskbarEdgeFor(c.taskbar, c.width, c.height), c.edge);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EdgeRule,
    ::testing::Values(
        // Top exactly at half height fails tests 2 and 3 (strict) and is left to 4-6.
        EdgeCase{.name = "TopAtHalfLeftOfMiddle",
                 .taskbar = {0, 540, 1920, 1080},
                 .width = 1920,
                 .height = 1080,
                 .edge = teBottom},
        EdgeCase{.name = "TopAtHalfRightOfMiddle",
                 .taskbar = {960, 540, 1920, 1080},
                 .width = 1920,
                 .height = 1080,
                 .edge = teRight},
        // Left of the middle, top above or at 0, failing 2 and 3: left.
        EdgeCase{.name = "LeftOfMiddleTopNegative",
                 .taskbar = {-5, -5, 62, 1085},
                 .width = 1920,
                 .height = 1080,
                 .edge = teLeft},
        EdgeCase{.name = "LeftOfMiddleTopZero",
                 .taskbar = {0, 0, 62, 1080},
                 .width = 1920,
                 .height = 1080,
                 .edge = teLeft},
        // Left of the middle with a top below 0 in pixels (greater than 0): bottom.
        EdgeCase{.name = "LeftOfMiddleTopPositive",
                 .taskbar = {0, 10, 62, 1080},
                 .width = 1920,
                 .height = 1080,
                 .edge = teBottom},
        // A bottom bar that stops short of the right edge is not caught by test 2.
        EdgeCase{.name = "ShortBottomBarLeft",
                 .taskbar = {0, 1040, 1800, 1080},
                 .width = 1920,
                 .height = 1080,
                 .edge = teBottom},
        EdgeCase{.name = "AutoHiddenTop",
                 .taskbar = {0, -38, 1920, 2},
                 .width = 1920,
                 .height = 1080,
                 .edge = teTop},
        EdgeCase{.name = "AutoHiddenLeft",
                 .taskbar = {-60, 0, 2, 1080},
                 .width = 1920,
                 .height = 1080,
                 .edge = teLeft},
        EdgeCase{.name = "UltraWideTop",
                 .taskbar = {0, 0, 5120, 48},
                 .width = 5120,
                 .height = 1440,
                 .edge = teTop},
        EdgeCase{.name = "UltraWideLeft",
                 .taskbar = {0, 0, 80, 1440},
                 .width = 5120,
                 .height = 1440,
                 .edge = teLeft},
        EdgeCase{.name = "UltraWideRight",
                 .taskbar = {5040, 0, 5120, 1440},
                 .width = 5120,
                 .height = 1440,
                 .edge = teRight},
        EdgeCase{.name = "SquareScreenLeft",
                 .taskbar = {0, 0, 48, 1024},
                 .width = 1024,
                 .height = 1024,
                 .edge = teLeft},
        EdgeCase{.name = "SquareScreenTop",
                 .taskbar = {0, 0, 1024, 48},
                 .width = 1024,
                 .height = 1024,
                 .edge = teTop},
        // Portrait screens: a top bar is still top, side bars are still sides.
        EdgeCase{.name = "PortraitTop",
                 .taskbar = {0, 0, 1080, 40},
                 .width = 1080,
                 .height = 1920,
                 .edge = teTop},
        EdgeCase{.name = "PortraitBottom",
                 .taskbar = {0, 1880, 1080, 1920},
                 .width = 1080,
                 .height = 1920,
                 .edge = teBottom},
        EdgeCase{.name = "PortraitLeft",
                 .taskbar = {0, 0, 62, 1920},
                 .width = 1080,
                 .height = 1920,
                 .edge = teLeft},
        EdgeCase{.name = "PortraitRight",
                 .taskbar = {1018, 0, 1080, 1920},
                 .width = 1080,
                 .height = 1920,
                 .edge = teRight},
        EdgeCase{.name = "NarrowPortraitLeft",
                 .taskbar = {0, 0, 100, 1920},
                 .width = 600,
                 .height = 1920,
                 .edge = teLeft},
        EdgeCase{.name = "NarrowPortraitTop",
                 .taskbar = {0, 0, 600, 100},
                 .width = 600,
                 .height = 1920,
                 .edge = teTop}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpperBand, HoldsForTopBarsAndFailsForFullHeightSideBars) {
    for (const auto& [w, h] : {std::pair{1920, 1080}, {1080, 1920}, {3440, 1440}, {768, 1366}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        EXPECT_TRUE(IsInUpperBand({0, 0, w, 40}, h));
        EXPECT_TRUE(IsInUpperBand({0, 0, w, h / 4}, h)) << "a tall top bar";
        EXPECT_FALSE(IsInUpperBand({0, 0, 62, h}, h));
        EXPECT_FALSE(IsInUpperBand({w - 62, 0, w, h}, h));
        EXPECT_FALSE(IsInUpperBand({0, h - 40, w, h}, h));
    }
}

TEST(PlacementRule, TopGapAndAWorkAreaAwayFromTheOrigin) {
    // The top gap is 10 pixels, the others 20.
    EXPECT_EQ(PlacementFor(teTop, {0, 40, 1920, 1080}, 400, 300).Y, 50);
    EXPECT_EQ(PlacementFor(teTop, {0, 40, 1920, 1080}, 400, 300).X, 1920 - 400 - 20);
    // A work area that does not start at the origin (second bar docked left).
    EXPECT_EQ(PlacementFor(teLeft, {100, 30, 1920, 1000}, 400, 300), (ScreenPoint{120, 680}));
}

// Windows larger than the work area: the title bar and the left edge stay
// inside it, whichever edge the taskbar is on; the other axis keeps the rule.
struct OversizeCase {
    const char* name;
    TTaskbarEdge edge;
    ScreenRect workArea;
    std::int32_t width, height;
    ScreenPoint at;
};

class OversizeWindow : public ::testing::TestWithParam<OversizeCase> {};

TEST_P(OversizeWindow, StaysInsideTheWorkAreaAtTopAndLeft) {
    const auto& c = GetParam();
    const ScreenPoint at = PlacementFor(c.edge, c.workArea, c.width, c.height);
    EXPECT_EQ(at, c.at) << at.X << ", " << at.Y;
    EXPECT_GE(at.X, c.workArea.Left);
    EXPECT_GE(at.Y, c.workArea.Top);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OversizeWindow,
    ::testing::Values(
        // 1040 - 1200 - 20 = -180 without the hold.
        OversizeCase{.name = "TallBottom",
                     .edge = teBottom,
                     .workArea = {0, 0, 1920, 1040},
                     .width = 400,
                     .height = 1200,
                     .at = {1500, 0}},
        // 800 - 1000 - 20 = -220 without the hold.
        OversizeCase{.name = "WideRight",
                     .edge = teRight,
                     .workArea = {0, 0, 800, 600},
                     .width = 1000,
                     .height = 100,
                     .at = {0, 480}},
        OversizeCase{.name = "TallAndWideBottom",
                     .edge = teBottom,
                     .workArea = {0, 0, 800, 560},
                     .width = 900,
                     .height = 700,
                     .at = {0, 0}},
        // A top taskbar: the work area starts below it, and so does the window.
        OversizeCase{.name = "WideTop",
                     .edge = teTop,
                     .workArea = {0, 40, 800, 600},
                     .width = 1000,
                     .height = 300,
                     .at = {0, 50}},
        OversizeCase{.name = "TallTop",
                     .edge = teTop,
                     .workArea = {0, 40, 1920, 1080},
                     .width = 400,
                     .height = 1200,
                     .at = {1500, 50}},
        // A left taskbar: the work area starts right of it.
        OversizeCase{.name = "TallLeft",
                     .edge = teLeft,
                     .workArea = {62, 0, 1920, 1080},
                     .width = 400,
                     .height = 1200,
                     .at = {82, 0}},
        OversizeCase{.name = "WideLeft",
                     .edge = teLeft,
                     .workArea = {62, 0, 800, 600},
                     .width = 1000,
                     .height = 300,
                     .at = {82, 280}},
        // Exactly as tall as the work area less the gap: the rule alone.
        OversizeCase{.name = "JustFits",
                     .edge = teBottom,
                     .workArea = {0, 0, 1920, 1040},
                     .width = 400,
                     .height = 1020,
                     .at = {1500, 0}},
        // A work area on a monitor left of and above the primary one.
        OversizeCase{.name = "NegativeOrigin",
                     .edge = teBottom,
                     .workArea = {-1280, -200, 0, 800},
                     .width = 1400,
                     .height = 1100,
                     .at = {-1280, -200}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace staywick
