// How a colour-mode reading becomes dark or light, and what that means for
// the tray glyph and the program's style.
#include "common/colour_mode.h"

#include <gtest/gtest.h>

#include <optional>

namespace staywick {
namespace {

struct ReadingCase {
    bool windows10;
    bool forTaskbar;
    std::optional<std::uint32_t> value;
    bool dark;
};

class ColourModeReading : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(ColourModeReading, GivesTheModeOfTheTable) {
    const ReadingCase& c = GetParam();
    EXPECT_EQ(IsDarkFromReading(c.windows10, c.forTaskbar, c.value), c.dark);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ColourModeReading,
    ::testing::Values(
        // Before Windows 10 the registry does not count: dark taskbar, light applications.
        ReadingCase{false, true, 1u, true}, ReadingCase{false, false, 0u, false},
        ReadingCase{false, true, std::nullopt, true},
        ReadingCase{false, false, std::nullopt, false},
        // Windows 10: 0 is dark, any other number light, a failed read dark.
        ReadingCase{true, true, 0u, true}, ReadingCase{true, false, 0u, true},
        ReadingCase{true, true, 1u, false}, ReadingCase{true, false, 1u, false},
        ReadingCase{true, true, 0xFFFFFFFFu, false}, ReadingCase{true, true, std::nullopt, true},
        ReadingCase{true, false, std::nullopt, true}));

TEST(ColourMode, ModesMapToGlyphColourAndStyle) {
    EXPECT_EQ(ColourModeOf(true), 1);
    EXPECT_EQ(ColourModeOf(false), 2);
    EXPECT_EQ(GlyphColourForTrayMode(1), 0x00FFFFFFu);
    EXPECT_EQ(GlyphColourForTrayMode(2), 0x00000000u);
    EXPECT_TRUE(UsesDarkStyle(1));
    EXPECT_FALSE(UsesDarkStyle(2));
}

} // namespace
} // namespace staywick
