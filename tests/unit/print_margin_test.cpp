// The page area of the license printout.
#include "common/print_margin.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(PrintMargin, PixelsToTwipsRoundsHalvesAwayFromZero) {
    EXPECT_EQ(PixelsToTwips(600, 600), 1440);
    EXPECT_EQ(PixelsToTwips(1, 2880), 1);    // 0.5
    EXPECT_EQ(PixelsToTwips(3, 2880), 2);    // 1.5
    EXPECT_EQ(PixelsToTwips(1, 2881), 0);    // just under a half
    EXPECT_EQ(PixelsToTwips(-1, 2880), -1);  // -0.5
    EXPECT_EQ(PixelsToTwips(372, 600), 893); // 892.8
}

// The rectangles handed to the rich-text control for every page, in twips.
struct TwipsCase {
    const char* name;
    std::int32_t dpiX, dpiY, offsetX, offsetY, pageWidth, pageHeight;
    PrintTwips twips;
};

class PrintAreaTwipsTable : public ::testing::TestWithParam<TwipsCase> {};

TEST_P(PrintAreaTwipsTable, MarginsOrTheWholePage) {
    const auto& c = GetParam();
    EXPECT_EQ(PrintAreaTwips(kPrintMarginMm, c.dpiX, c.dpiY, c.offsetX, c.offsetY, c.pageWidth,
                             c.pageHeight),
              c.twips);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PrintAreaTwipsTable,
    ::testing::Values(
        // A4 at 600 dpi with an unprintable border: area 372, 352, 4352, 6448 pixels.
        TwipsCase{.name = "A4At600WithOffsets",
                  .dpiX = 600,
                  .dpiY = 600,
                  .offsetX = 100,
                  .offsetY = 120,
                  .pageWidth = 4724,
                  .pageHeight = 6800,
                  .twips = {.Page = {0, 0, 11338, 16320}, .Area = {893, 845, 10445, 15475}}},
        // Each axis with its own resolution: 472 and 236 pixels of margin.
        TwipsCase{.name = "TwoResolutions",
                  .dpiX = 600,
                  .dpiY = 300,
                  .offsetX = 0,
                  .offsetY = 0,
                  .pageWidth = 4800,
                  .pageHeight = 3300,
                  .twips = {.Page = {0, 0, 11520, 15840}, .Area = {1133, 1133, 10387, 14707}}},
        TwipsCase{.name = "A4At96",
                  .dpiX = 96,
                  .dpiY = 96,
                  .offsetX = 0,
                  .offsetY = 0,
                  .pageWidth = 794,
                  .pageHeight = 1123,
                  .twips = {.Page = {0, 0, 11910, 16845}, .Area = {1140, 1140, 10770, 15705}}},
        // Narrower than twice the margin: the whole printable page.
        TwipsCase{.name = "NarrowPage",
                  .dpiX = 600,
                  .dpiY = 600,
                  .offsetX = 0,
                  .offsetY = 0,
                  .pageWidth = 900,
                  .pageHeight = 6800,
                  .twips = {.Page = {0, 0, 2160, 16320}, .Area = {0, 0, 2160, 16320}}},
        // Lower than twice the margin: the whole printable page.
        TwipsCase{.name = "LowPage",
                  .dpiX = 600,
                  .dpiY = 600,
                  .offsetX = 0,
                  .offsetY = 0,
                  .pageWidth = 4724,
                  .pageHeight = 944,
                  .twips = {.Page = {0, 0, 11338, 2266}, .Area = {0, 0, 11338, 2266}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace staywick
