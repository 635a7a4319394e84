// The glyph list's pixel arithmetic: MulDiv rounding of the cell, and the
// conversion of coverage into straight-alpha pixels.
#include "tray/glyph_pixels.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace staywick {
namespace {

TEST(GlyphPixels, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDivRound(20, 96, 120), 16);
    EXPECT_EQ(MulDivRound(5, 1, 2), 3);   // 2.5
    EXPECT_EQ(MulDivRound(-5, 1, 2), -3); // -2.5
    EXPECT_EQ(MulDivRound(7, 1, 3), 2);   // 2.33
    EXPECT_EQ(MulDivRound(8, 1, 3), 3);   // 2.67
    EXPECT_EQ(MulDivRound(5, -1, 2), -3);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(0x7FFFFFFF, 4, 2), -1);                           // does not fit
    EXPECT_EQ(MulDivRound(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF); // no overflow inside
}

class GlyphCell : public ::testing::TestWithParam<std::array<int, 2>> {};

TEST_P(GlyphCell, ScalesTwentyPixelsAtOneHundredTwenty) {
    EXPECT_EQ(GlyphCellForDpi(GetParam()[0]), GetParam()[1]);
}

INSTANTIATE_TEST_SUITE_P(Dpis, GlyphCell,
                         ::testing::Values(std::array<int, 2>{96, 16}, std::array<int, 2>{120, 20},
                                           std::array<int, 2>{144, 24}, std::array<int, 2>{192, 32},
                                           std::array<int, 2>{168, 28},
                                           std::array<int, 2>{72, 12}));

TEST(GlyphPixels, FontHeightLeavesTheMarginAndNeverDropsBelowOne) {
    EXPECT_EQ(GlyphFontHeight(20, 20, 0), 20);
    EXPECT_EQ(GlyphFontHeight(24, 20, 2), 16); // the smaller side counts
    EXPECT_EQ(GlyphFontHeight(4, 4, 5), 1);
}

TEST(GlyphPixels, CoverageBecomesAlphaInTheListColour) {
    const std::uint8_t coverage[] = {0, 1, 128, 255};
    std::uint32_t out[4] = {0xDEADBEEF, 0xDEADBEEF, 0xDEADBEEF, 0xDEADBEEF};
    // COLORREF 0x00BBGGRR: red 0x11, green 0x22, blue 0x33.
    CoverageToStraightAlpha(coverage, 4, 0x00332211u, out);
    EXPECT_EQ(out[0], 0x00000000u); // uncovered: all zero
    EXPECT_EQ(out[1], 0x01112233u); // BGRA in memory: A=1, R=0x11, G=0x22, B=0x33
    EXPECT_EQ(out[2], 0x80112233u);
    EXPECT_EQ(out[3], 0xFF112233u);
}

TEST(GlyphPixels, WhiteAndBlackKeepTheSameAlpha) {
    const std::uint8_t coverage[] = {0, 77, 255};
    std::uint32_t white[3], black[3];
    CoverageToStraightAlpha(coverage, 3, 0x00FFFFFFu, white);
    CoverageToStraightAlpha(coverage, 3, 0x00000000u, black);
    EXPECT_EQ(white[1], 0x4DFFFFFFu);
    EXPECT_EQ(black[1], 0x4D000000u);
    EXPECT_EQ(white[2] >> 24, black[2] >> 24);
    EXPECT_EQ(white[0], 0u);
    EXPECT_EQ(black[0], 0u);
}

TEST(GlyphPixels, CoverageOfWhiteOnBlackIsTheBrightestChannel) {
    EXPECT_EQ(CoverageOfWhiteOnBlack(0x00000000u), 0);
    EXPECT_EQ(CoverageOfWhiteOnBlack(0x00808080u), 0x80);
    EXPECT_EQ(CoverageOfWhiteOnBlack(0x00104020u), 0x40); // colour fringe: brightest wins
    EXPECT_EQ(CoverageOfWhiteOnBlack(0xFF000000u), 0);    // alpha is not coverage
}

} // namespace
} // namespace staywick
