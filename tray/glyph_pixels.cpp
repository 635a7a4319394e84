#include "tray/glyph_pixels.h"

#include <algorithm>
#include <limits>

namespace staywick {

std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t num = product < 0 ? -product : product;
    const std::int64_t den = c < 0 ? -static_cast<std::int64_t>(c) : c;
    std::int64_t q = (num + den / 2) / den;
    if (negative)
        q = -q;
    if (q > std::numeric_limits<std::int32_t>::max() ||
        q < std::numeric_limits<std::int32_t>::min()) {
        return -1;
    }
    return static_cast<std::int32_t>(q);
}

std::int32_t GlyphFontHeight(std::int32_t width, std::int32_t height, std::int32_t margin) {
    return std::max<std::int32_t>(1, std::min(width, height) - 2 * margin);
}

void CoverageToStraightAlpha(const std::uint8_t* coverage, std::size_t count, std::uint32_t rgb,
                             std::uint32_t* bgra) {
    const std::uint32_t r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    const std::uint32_t colour = (r << 16) | (g << 8) | b;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t a = coverage[i];
        bgra[i] = a == 0 ? 0u : (a << 24) | colour;
    }
}

} // namespace staywick
