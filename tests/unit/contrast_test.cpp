// High contrast told from the system's colours, and the glyph colour on a
// background. Colours as COLORREF values (0x00BBGGRR).
#include "common/contrast.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick {
namespace {

struct PaletteCase {
    const char* name = "";
    SystemPalette palette;
    bool highContrast = false;
};

class ContrastPalette : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(ContrastPalette, IsHighContrastOnlyForContrastSchemes) {
    EXPECT_EQ(IsHighContrastPalette(GetParam().palette), GetParam().highContrast);
}

INSTANTIATE_TEST_SUITE_P(
    Schemes, ContrastPalette,
    ::testing::Values(PaletteCase{.name = "StandardWindows10",
                                  .palette = {.window = 0xFFFFFF,
                                              .windowText = 0x000000,
                                              .buttonFace = 0xF0F0F0,
                                              .buttonText = 0x000000}},
                      PaletteCase{.name = "ClassicGreyButtons",
                                  .palette = {.window = 0xFFFFFF,
                                              .windowText = 0x000000,
                                              .buttonFace = 0xC0C0C0,
                                              .buttonText = 0x000000}},
                      PaletteCase{.name = "HighContrastBlack",
                                  .palette = {.window = 0x000000,
                                              .windowText = 0xFFFFFF,
                                              .buttonFace = 0x000000,
                                              .buttonText = 0xFFFFFF},
                                  .highContrast = true},
                      PaletteCase{.name = "HighContrastWhite",
                                  .palette = {.window = 0xFFFFFF,
                                              .windowText = 0x000000,
                                              .buttonFace = 0xFFFFFF,
                                              .buttonText = 0x000000},
                                  .highContrast = true},
                      PaletteCase{.name = "HighContrastYellowOnBlack",
                                  .palette = {.window = 0x000000,
                                              .windowText = 0x00FFFF,
                                              .buttonFace = 0x000000,
                                              .buttonText = 0x00FFFF},
                                  .highContrast = true},
                      PaletteCase{.name = "DuskTealOnSlate",
                                  .palette = {.window = 0x36322D,
                                              .windowText = 0xF0F6B6,
                                              .buttonFace = 0x36322D,
                                              .buttonText = 0xF0F6B6},
                                  .highContrast = true},
                      // One background, but text too faint for the enhanced ratio.
                      PaletteCase{.name = "SharedBackgroundGreyText",
                                  .palette = {.window = 0x000000,
                                              .windowText = 0x606060,
                                              .buttonFace = 0x000000,
                                              .buttonText = 0x606060}},
                      // The high byte of a COLORREF is no colour.
                      PaletteCase{.name = "FlagByteIgnored",
                                  .palette = {.window = 0x000000,
                                              .windowText = 0xFFFFFF,
                                              .buttonFace = 0x02000000,
                                              .buttonText = 0xFFFFFF},
                                  .highContrast = true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Contrast, RatioRunsFromOneToTwentyOne) {
    EXPECT_DOUBLE_EQ(ContrastRatio(0xFFFFFF, 0x000000), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x808080, 0x808080), 1.0);
    // Green weighs most, blue least.
    EXPECT_GT(RelativeLuminance(0x00FF00), RelativeLuminance(0x0000FF));
    EXPECT_GT(RelativeLuminance(0x0000FF), RelativeLuminance(0xFF0000));
}

TEST(Contrast, GlyphTakesWhiteOrBlackWhicheverStandsOut) {
    EXPECT_EQ(GlyphColourOn(0x000000), 0xFFFFFFu);
    EXPECT_EQ(GlyphColourOn(0xFFFFFF), 0x000000u);
    EXPECT_EQ(GlyphColourOn(0x800000), 0xFFFFFFu) << "navy";
    EXPECT_EQ(GlyphColourOn(0x00FFFF), 0x000000u) << "yellow";
    // Mid grey (luminance 0.18) is the turning point: black wins just above.
    EXPECT_EQ(GlyphColourOn(0x757575), 0xFFFFFFu);
    EXPECT_EQ(GlyphColourOn(0x767676), 0x000000u);
}

} // namespace
} // namespace staywick
