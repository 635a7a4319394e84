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
        ReadingCase{.windows10 = false, .forTaskbar = true, .value = 1u, .dark = true},
        ReadingCase{.windows10 = false, .forTaskbar = false, .value = 0u, .dark = false},
        ReadingCase{.windows10 = false, .forTaskbar = true, .value = std::nullopt, .dark = true},
        ReadingCase{.windows10 = false, .forTaskbar = false, .value = std::nullopt, .dark = false},
        // Windows 10: 0 is dark, any other number light, a failed read dark.
        ReadingCase{.windows10 = true, .forTaskbar = true, .value = 0u, .dark = true},
        ReadingCase{.windows10 = true, .forTaskbar = false, .value = 0u, .dark = true},
        ReadingCase{.windows10 = true, .forTaskbar = true, .value = 1u, .dark = false},
        ReadingCase{.windows10 = true, .forTaskbar = false, .value = 1u, .dark = false},
        ReadingCase{.windows10 = true, .forTaskbar = true, .value = 0xFFFFFFFFu, .dark = false},
        ReadingCase{.windows10 = true, .forTaskbar = true, .value = std::nullopt, .dark = true},
        ReadingCase{.windows10 = true, .forTaskbar = false, .value = std::nullopt, .dark = true}));

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
