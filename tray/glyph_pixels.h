#pragma once
// Pixel arithmetic of the glyph list, kept free of the platform: cell
// scaling with MulDiv's rounding, and the conversion of grey-level glyph
// coverage into straight-alpha BGRA pixels.
#include <cstddef>
#include <cstdint>

namespace staywick {

// a * b / c rounded half away from zero, as Windows' MulDiv; -1 when c is 0
// or the result does not fit.
std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c);

// The cell size at a DPI, from its 20 px at 120 DPI.
inline constexpr std::int32_t kGlyphCellAtDesign = 20;
inline constexpr std::int32_t kGlyphDesignDpi = 120;
inline std::int32_t GlyphCellForDpi(std::int32_t dpi) {
    return MulDivRound(kGlyphCellAtDesign, dpi, kGlyphDesignDpi);
}

// Height of the font's cell (ascent plus descent) in a cell with a margin.
std::int32_t GlyphFontHeight(std::int32_t width, std::int32_t height, std::int32_t margin);

// Turns coverage (0 = empty, 255 = fully covered) into BGRA pixels
// (0xAARRGGBB in memory order B, G, R, A) of the colour rgb (0x00BBGGRR):
// colour channels at full value where anything is covered, alpha = coverage;
// uncovered pixels are all zero.
void CoverageToStraightAlpha(const std::uint8_t* coverage, std::size_t count, std::uint32_t rgb,
                             std::uint32_t* bgra);

// Coverage of a pixel drawn white on black: the brightest channel, so grey
// and colour-fringed anti-aliasing both count.
inline std::uint8_t CoverageOfWhiteOnBlack(std::uint32_t bgra) {
    const std::uint8_t b = bgra & 0xFF, g = (bgra >> 8) & 0xFF, r = (bgra >> 16) & 0xFF;
    std::uint8_t m = b > g ? b : g;
    return m > r ? m : r;
}

} // namespace staywick
