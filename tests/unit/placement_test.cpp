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

INSTANTIATE_TEST_SUITE_P(
    Landscape, PlacementTable,
    ::testing::Values(
        PlacementCase{
            "Bottom", ScreenRect{0, 1040, 1920, 1080}, {0, 0, 1920, 1040}, teBottom, {1500, 720}},
        PlacementCase{"Top", ScreenRect{0, 0, 1920, 40}, {0, 40, 1920, 1080}, teTop, {1500, 50}},
        PlacementCase{"Left", ScreenRect{0, 0, 62, 1080}, {62, 0, 1920, 1080}, teLeft, {82, 760}},
        PlacementCase{
            "Right", ScreenRect{1858, 0, 1920, 1080}, {0, 0, 1858, 1080}, teRight, {1438, 760}},
        PlacementCase{"None", std::nullopt, {0, 0, 1920, 1080}, teBottom, {1500, 760}}),
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
        EdgeCase{"TopAtHalfLeftOfMiddle", {0, 540, 1920, 1080}, 1920, 1080, teBottom},
        EdgeCase{"TopAtHalfRightOfMiddle", {960, 540, 1920, 1080}, 1920, 1080, teRight},
        // Left of the middle, top above or at 0, failing 2 and 3: left.
        EdgeCase{"LeftOfMiddleTopNegative", {-5, -5, 62, 1085}, 1920, 1080, teLeft},
        EdgeCase{"LeftOfMiddleTopZero", {0, 0, 62, 1080}, 1920, 1080, teLeft},
        // Left of the middle with a top below 0 in pixels (greater than 0): bottom.
        EdgeCase{"LeftOfMiddleTopPositive", {0, 10, 62, 1080}, 1920, 1080, teBottom},
        // A bottom bar that stops short of the right edge is not caught by test 2.
        EdgeCase{"ShortBottomBarLeft", {0, 1040, 1800, 1080}, 1920, 1080, teBottom},
        EdgeCase{"AutoHiddenTop", {0, -38, 1920, 2}, 1920, 1080, teTop},
        EdgeCase{"AutoHiddenLeft", {-60, 0, 2, 1080}, 1920, 1080, teLeft},
        EdgeCase{"UltraWideTop", {0, 0, 5120, 48}, 5120, 1440, teTop},
        EdgeCase{"UltraWideLeft", {0, 0, 80, 1440}, 5120, 1440, teLeft},
        EdgeCase{"UltraWideRight", {5040, 0, 5120, 1440}, 5120, 1440, teRight},
        EdgeCase{"SquareScreenLeft", {0, 0, 48, 1024}, 1024, 1024, teLeft},
        EdgeCase{"SquareScreenTop", {0, 0, 1024, 48}, 1024, 1024, teTop},
        // Portrait screens: a top bar is still top, side bars are still sides.
        EdgeCase{"PortraitTop", {0, 0, 1080, 40}, 1080, 1920, teTop},
        EdgeCase{"PortraitBottom", {0, 1880, 1080, 1920}, 1080, 1920, teBottom},
        EdgeCase{"PortraitLeft", {0, 0, 62, 1920}, 1080, 1920, teLeft},
        EdgeCase{"PortraitRight", {1018, 0, 1080, 1920}, 1080, 1920, teRight},
        EdgeCase{"NarrowPortraitLeft", {0, 0, 100, 1920}, 600, 1920, teLeft},
        EdgeCase{"NarrowPortraitTop", {0, 0, 600, 100}, 600, 1920, teTop}),
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
