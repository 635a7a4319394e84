// The page area of the license printout.
#include "common/print_margin.h"

#include <gtest/gtest.h>

namespace staywick {
namespace {

TEST(PrintMargin, RoundHalfEvenOnHalves) {
    EXPECT_EQ(RoundHalfEven(1, 2), 0);
    EXPECT_EQ(RoundHalfEven(3, 2), 2);
    EXPECT_EQ(RoundHalfEven(5, 2), 2);
    EXPECT_EQ(RoundHalfEven(7, 2), 4);
    EXPECT_EQ(RoundHalfEven(-5, 2), -2);
    EXPECT_EQ(RoundHalfEven(-3, 2), -2);
    EXPECT_EQ(RoundHalfEven(127, 254), 0);
    EXPECT_EQ(RoundHalfEven(381, 254), 2);
    // Not a half: ordinary rounding.
    EXPECT_EQ(RoundHalfEven(128, 254), 1);
    EXPECT_EQ(RoundHalfEven(126, 254), 0);
}

struct MarginCase {
    std::int32_t mm, dpi, offset, pixels;
};

class MarginPixelsTable : public ::testing::TestWithParam<MarginCase> {};

TEST_P(MarginPixelsTable, ConvertsAndSubtractsTheOffset) {
    const auto& c = GetParam();
    EXPECT_EQ(MarginPixels(c.mm, c.dpi, c.offset), c.pixels)
        << c.mm << " mm at " << c.dpi << " dpi, offset " << c.offset;
}

INSTANTIATE_TEST_SUITE_P(
    Table, MarginPixelsTable,
    ::testing::Values(
        MarginCase{.mm = 20, .dpi = 600, .offset = 0, .pixels = 472},  // 472.44 -> 472
        MarginCase{.mm = 20, .dpi = 300, .offset = 0, .pixels = 236},  // 236.22
        MarginCase{.mm = 20, .dpi = 96, .offset = 0, .pixels = 76},    // 75.59 -> 76
        MarginCase{.mm = 20, .dpi = 1200, .offset = 0, .pixels = 945}, // 944.88 -> 945
        MarginCase{
            .mm = 20, .dpi = 600, .offset = 100, .pixels = 372},      // less the unprintable border
        MarginCase{.mm = 20, .dpi = 600, .offset = 472, .pixels = 0}, // exactly the offset
        MarginCase{.mm = 20, .dpi = 600, .offset = 500, .pixels = 0}, // never below 0
        MarginCase{.mm = 0, .dpi = 600, .offset = 0, .pixels = 0},
        MarginCase{.mm = 127, .dpi = 1, .offset = 0, .pixels = 5} /* 5.0 */));

TEST(PrintMargin, PageRectangle) {
    // A4 at 600 dpi, 4724 x 6800 printable, offsets 100 and 120.
    EXPECT_EQ(PrintPageRect(20, 600, 600, 100, 120, 4724, 6800),
              (PrintRect{372, 352, 4724 - 372, 6800 - 352}));
    // Different resolutions on the two axes.
    EXPECT_EQ(PrintPageRect(20, 600, 300, 0, 0, 4800, 3300),
              (PrintRect{472, 236, 4800 - 472, 3300 - 236}));
}

TEST(PrintMargin, TooSmallPagesGetTheEmptyRectangle) {
    // Narrower than twice the left margin.
    EXPECT_TRUE(PrintPageRect(20, 600, 600, 0, 0, 900, 6800).Empty());
    EXPECT_EQ(PrintPageRect(20, 600, 600, 0, 0, 900, 6800), PrintRect{});
    // Exactly twice the margin leaves no room either (L >= right).
    EXPECT_EQ(PrintPageRect(20, 600, 600, 0, 0, 944, 6800), PrintRect{});
    // Lower than twice the top margin.
    EXPECT_EQ(PrintPageRect(20, 600, 600, 0, 0, 4724, 944), PrintRect{});
    // One pixel more than twice the margin still prints with margins.
    EXPECT_EQ(PrintPageRect(20, 600, 600, 0, 0, 945, 945), (PrintRect{472, 472, 473, 473}));
}

} // namespace
} // namespace staywick
