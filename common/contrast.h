#pragma once
// High contrast told from the system's colours, and the glyph colour that
// stands out on a given background. Colours in COLORREF layout (0x00BBGGRR).
#include <cstdint>

namespace staywick {

// WCAG's relative luminance (0 black to 1 white) and contrast ratio (1 to 21).
double RelativeLuminance(std::uint32_t colour);
double ContrastRatio(std::uint32_t a, std::uint32_t b);

// The colour pairs of the system's scheme that windows draw with.
struct SystemPalette {
    std::uint32_t window = 0;     // COLOR_WINDOW
    std::uint32_t windowText = 0; // COLOR_WINDOWTEXT
    std::uint32_t buttonFace = 0; // COLOR_BTNFACE
    std::uint32_t buttonText = 0; // COLOR_BTNTEXT
};

// True for a high-contrast scheme: windows and buttons share one
// background, and both texts stand out on it at least 7:1 (WCAG's enhanced
// contrast). Windows' own schemes (High Contrast Black, White, #1, #2) all
// do; the standard scheme's grey buttons on white windows do not. This is
// how a system that never reports the high-contrast flag (Wine) is told.
bool IsHighContrastPalette(const SystemPalette& palette);

// White or black, whichever contrasts more with the background.
std::uint32_t GlyphColourOn(std::uint32_t background);

} // namespace staywick
