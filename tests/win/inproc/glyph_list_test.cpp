// The carried font and the glyph list: straight-alpha pixels whose alpha is
// the glyph's coverage, the cell size at each DPI and after rescaling, and
// redrawing only when the colour changes.
#include "tray/glyph_pixels.h"
#include "tray/win32/glyph_list.h"
#include "tray_font_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

class GlyphListTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::EnsureGlyphFont()); }
};

std::uint8_t Alpha(std::uint32_t p) {
    return static_cast<std::uint8_t>(p >> 24);
}

// An icon's two bitmaps, owned while the test reads them, and the colour
// bitmap's size and depth.
struct IconBitmaps {
    explicit IconBitmaps(HICON icon) {
        ICONINFO info{};
        if (!::GetIconInfo(icon, &info))
            return;
        colour.Reset(info.hbmColor);
        mask.Reset(info.hbmMask);
        ::GetObjectW(info.hbmColor, sizeof(colourBitmap), &colourBitmap);
    }
    win32::GdiObject colour, mask;
    BITMAP colourBitmap{};
};

TEST_F(GlyphListTest, WhiteDIsWhiteWhereCoveredWithCoverageAsAlpha) {
    TGlyphList list(L"Glyphter", L"CD", 20, 20);
    ASSERT_EQ(list.Count(), 2);
    const std::vector<std::uint32_t> white = list.Pixels(1);
    ASSERT_EQ(white.size(), 400u);
    int covered = 0, partial = 0, full = 0;
    for (std::uint32_t p : white) {
        if (Alpha(p) == 0) {
            EXPECT_EQ(p, 0u) << "uncovered pixels are all zero";
        } else {
            EXPECT_EQ(p & 0x00FFFFFFu, 0x00FFFFFFu) << "covered pixels are white";
            ++covered;
            partial += Alpha(p) < 255;
            full += Alpha(p) == 255;
        }
    }
    EXPECT_GT(covered, 60);
    EXPECT_LT(covered, 300);
    EXPECT_GT(partial, 10) << "anti-aliased edges carry partial coverage";
    EXPECT_GT(full, 10);

    // The same glyph in black: the same alpha, only the colour differs.
    list.SetColor(RGB(0, 0, 0));
    const std::vector<std::uint32_t> black = list.Pixels(1);
    ASSERT_EQ(black.size(), white.size());
    for (std::size_t i = 0; i < white.size(); ++i) {
        EXPECT_EQ(black[i], white[i] & 0xFF000000u) << i;
    }
    // And in a colour: the channels in straight (not premultiplied) form.
    list.SetColor(RGB(0x20, 0x80, 0xF0));
    for (std::uint32_t p : list.Pixels(1)) {
        if (Alpha(p) != 0) {
            EXPECT_EQ(p & 0x00FFFFFFu, 0x002080F0u);
        }
    }
}

// Row and column sums of a glyph's coverage.
struct Profile {
    std::vector<int> rows, columns;
};
Profile ProfileOf(const std::vector<std::uint32_t>& pixels, int size) {
    Profile p{std::vector<int>(size), std::vector<int>(size)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int a = Alpha(pixels[static_cast<std::size_t>(y * size + x)]);
            p.rows[static_cast<std::size_t>(y)] += a;
            p.columns[static_cast<std::size_t>(x)] += a;
        }
    }
    return p;
}

TEST_F(GlyphListTest, GlyphsSpanTheCellAndRestOnItsBottom) {
    TGlyphList list(L"Glyphter", L"CD", 20, 20);
    const Profile c = ProfileOf(list.Pixels(0), 20);
    const Profile d = ProfileOf(list.Pixels(1), 20);
    // "C" is 17.3 px tall, "D" 18.2: the top rows stay empty, the bottom is inked.
    EXPECT_EQ(c.rows[0] + c.rows[1], 0);
    EXPECT_EQ(d.rows[0], 0);
    EXPECT_GT(c.rows[19], 0);
    EXPECT_GT(d.rows[19], 0);
    EXPECT_GT(c.columns[0], 0);
    EXPECT_GT(c.columns[19], 0);
    // The stroke of "D" adds ink; near the upper left there is none in "C".
    int cTotal = 0, dTotal = 0;
    for (int v : c.rows)
        cTotal += v;
    for (int v : d.rows)
        dTotal += v;
    EXPECT_GT(dTotal, cTotal);
    const std::vector<std::uint32_t> cPixels = list.Pixels(0), dPixels = list.Pixels(1);
    EXPECT_EQ(Alpha(cPixels[4 * 20 + 2]), 0);
    EXPECT_GT(Alpha(dPixels[4 * 20 + 3]) + Alpha(dPixels[4 * 20 + 4]), 0);
}

TEST_F(GlyphListTest, IconsHaveTheCellSizeAndTheImageAlpha) {
    TGlyphList list(L"Glyphter", L"CD", 20, 20);
    win32::IconHandle icon = list.GetIcon(1);
    ASSERT_TRUE(icon);
    const IconBitmaps bitmaps(icon.Get());
    ASSERT_TRUE(bitmaps.colour && bitmaps.mask);
    EXPECT_EQ(bitmaps.colourBitmap.bmWidth, 20);
    EXPECT_EQ(bitmaps.colourBitmap.bmHeight, 20);
    EXPECT_EQ(bitmaps.colourBitmap.bmBitsPixel, 32);

    // The icon's pixels are the entry's, alpha included; its mask is set
    // exactly where the entry is transparent.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 20;
    bi.bmiHeader.biHeight = -20;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> iconPixels(400), maskPixels(400);
    win32::MemoryDc dc(::CreateCompatibleDC(nullptr));
    const auto readBits = [&](const win32::GdiObject& bitmap, std::vector<std::uint32_t>& out) {
        return ::GetDIBits(dc.Get(), static_cast<HBITMAP>(bitmap.Get()), 0, 20, out.data(), &bi,
                           DIB_RGB_COLORS);
    };
    ASSERT_EQ(readBits(bitmaps.colour, iconPixels), 20);
    ASSERT_EQ(readBits(bitmaps.mask, maskPixels), 20);
    const std::vector<std::uint32_t> entry = list.Pixels(1);
    EXPECT_EQ(iconPixels, entry);
    for (std::size_t p = 0; p < entry.size(); ++p)
        EXPECT_EQ((maskPixels[p] & 0xFFFFFFu) != 0, Alpha(entry[p]) == 0) << "pixel " << p;
    EXPECT_FALSE(list.GetIcon(2));
}

class GlyphCellSize : public GlyphListTest, public ::testing::WithParamInterface<int> {};

TEST_P(GlyphCellSize, FollowsTheDpi) {
    TGlyphList list(L"Glyphter", L"CD", 20, 20);
    list.Rescale(GetParam(), 120);
    const int expected = GlyphCellForDpi(GetParam());
    EXPECT_EQ(list.Width(), expected);
    EXPECT_EQ(list.Height(), expected);
    win32::IconHandle icon = list.GetIcon(0);
    ASSERT_TRUE(icon);
    const IconBitmaps bitmaps(icon.Get());
    EXPECT_EQ(bitmaps.colourBitmap.bmWidth, expected);
    EXPECT_EQ(bitmaps.colourBitmap.bmHeight, expected);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Pixels(0).size(), static_cast<std::size_t>(expected * expected));
}

INSTANTIATE_TEST_SUITE_P(Dpis, GlyphCellSize, ::testing::Values(96, 120, 144, 192));

TEST_F(GlyphListTest, TwoRescalingsGiveSixteenThenTwentyFour) {
    TGlyphList list(L"Glyphter", L"CD", 20, 20, 2);
    list.Rescale(96, 120);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Margin(), 2); // MulDiv(2, 96, 120) = 1.6 -> 2
    list.Rescale(144, 96);
    EXPECT_EQ(list.Width(), 24);
    EXPECT_EQ(list.Height(), 24);
    EXPECT_EQ(list.Margin(), 3);
    EXPECT_EQ(list.Pixels(1).size(), 576u);
}

TEST_F(GlyphListTest, SameColourDrawsNothing) {
    TGlyphList list(L"Glyphter", L"CD", 20, 20);
    const int draws = list.DrawCount();
    list.SetColor(RGB(255, 255, 255)); // white already
    EXPECT_EQ(list.DrawCount(), draws);
    list.SetColor(RGB(0, 0, 0));
    EXPECT_EQ(list.DrawCount(), draws + 1);
    list.SetColor(RGB(0, 0, 0));
    EXPECT_EQ(list.DrawCount(), draws + 1);
}

TEST_F(GlyphListTest, MissingFontLeavesTheListEmpty) {
    TGlyphList list(L"No Such Glyph Font", L"CD", 20, 20);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.GetIcon(0));
}

// (Wine keeps memory fonts until the process ends, so their removal is not observable here.)
TEST(FontImages, RegistersTheFontByItsFamilyAndRefusesJunk) {
    const std::vector<char> data = test::GlyphFontBytes();
    auto faceOf = [] {
        HDC dc = ::CreateCompatibleDC(nullptr);
        HFONT font =
            ::CreateFontW(20, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Glyphter");
        HGDIOBJ old = ::SelectObject(dc, font);
        wchar_t face[LF_FACESIZE] = {};
        ::GetTextFaceW(dc, LF_FACESIZE, face);
        ::SelectObject(dc, old);
        ::DeleteObject(font);
        ::DeleteDC(dc);
        return std::wstring(face);
    };
    TFontImages fonts;
    ASSERT_TRUE(fonts.Add(data.data(), data.size()));
    EXPECT_EQ(fonts.Count(), 1u);
    EXPECT_EQ(faceOf(), L"Glyphter");
    TFontImages broken;
    const char junk[64] = {};
    EXPECT_FALSE(broken.Add(junk, sizeof(junk)));
    EXPECT_EQ(broken.Count(), 0u);
}

} // namespace
} // namespace staywick
