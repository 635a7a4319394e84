#include "common/contrast.h"

#include <algorithm>
#include <cmath>

namespace staywick {

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kBlack = 0x00000000;
constexpr double kEnhancedContrast = 7.0;

double Linear(std::uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(std::uint32_t colour) {
    const double r = Linear(colour & 0xFF);
    const double g = Linear((colour >> 8) & 0xFF);
    const double b = Linear((colour >> 16) & 0xFF);
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
}

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsHighContrastPalette(const SystemPalette& palette) {
    return (palette.window & kWhite) == (palette.buttonFace & kWhite) &&
           ContrastRatio(palette.windowText, palette.window) >= kEnhancedContrast &&
           ContrastRatio(palette.buttonText, palette.buttonFace) >= kEnhancedContrast;
}

std::uint32_t GlyphColourOn(std::uint32_t background) {
    return ContrastRatio(kWhite, background) >= ContrastRatio(kBlack, background) ? kWhite : kBlack;
}

} // namespace staywick
